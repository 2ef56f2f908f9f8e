// The Rich Text Format vocabulary: one sorted table of control words with their kinds and its index, the
// hexadecimal and escaped forms the writer puts bytes in, and the counters of character runs. Reading the
// syntax (words, parameters, escapes, hexadecimal data) is the tokenizer's alone.
#pragma once
#include <cstdint>
#include <string_view>

// How a control word acts, which decides how the reader dispatches it.
enum class TRtfWordKind : uint8_t {
    Flag,        // a switch without a meaningful parameter
    Value,       // takes a numeric parameter
    Symbol,      // stands for a character or a break
    Destination, // starts a group of its own (tables, notes, pictures, fields...)
    Toggle,      // on without a parameter or with a non-zero one, off with 0
};

// Every control word the program reads or writes, in ascending byte order; a word's number is its place.
#define QP_RTF_WORDS(X) \
    X(aenddoc, Flag) \
    X(aendnotes, Flag) \
    X(aftncn, Destination) \
    X(aftnnalc, Flag) \
    X(aftnnar, Flag) \
    X(aftnnauc, Flag) \
    X(aftnnchi, Flag) \
    X(aftnnrlc, Flag) \
    X(aftnnruc, Flag) \
    X(aftnrestart, Flag) \
    X(aftnrstcont, Flag) \
    X(aftnsep, Destination) \
    X(aftnsepc, Destination) \
    X(aftnstart, Value) \
    X(alt, Flag) \
    X(annotation, Destination) \
    X(ansicpg, Value) \
    X(atnauthor, Destination) \
    X(atnicn, Destination) \
    X(atnid, Destination) \
    X(atnref, Destination) \
    X(atntime, Destination) \
    X(atrfend, Destination) \
    X(atrfstart, Destination) \
    X(author, Destination) \
    X(autosavedorigfmt, Destination) \
    X(autosavedorigname, Destination) \
    X(b, Toggle) \
    X(bin, Value) \
    X(bkmkend, Destination) \
    X(bkmkstart, Destination) \
    X(blue, Value) \
    X(bullet, Symbol) \
    X(buptim, Destination) \
    X(caps, Toggle) \
    X(cell, Symbol) \
    X(cellx, Value) \
    X(cf, Value) \
    X(charscalex, Value) \
    X(chftn, Symbol) \
    X(colno, Value) \
    X(colorschememapping, Destination) \
    X(colortbl, Destination) \
    X(cols, Value) \
    X(colsr, Value) \
    X(colsx, Value) \
    X(column, Symbol) \
    X(colw, Value) \
    X(comment, Destination) \
    X(company, Destination) \
    X(cpg, Value) \
    X(creatim, Destination) \
    X(cs, Value) \
    X(ctrl, Flag) \
    X(datafield, Destination) \
    X(datastore, Destination) \
    X(deff, Value) \
    X(deflang, Value) \
    X(deflangcoding, Value) \
    X(deftab, Value) \
    X(deleted, Flag) \
    X(dn, Value) \
    X(do, Destination) \
    X(doccomm, Destination) \
    X(dptxbxtext, Destination) \
    X(ds, Value) \
    X(dskcharnr, Value) \
    X(dskparnr, Value) \
    X(dy, Value) \
    X(embo, Toggle) \
    X(emdash, Symbol) \
    X(emfblip, Flag) \
    X(endash, Symbol) \
    X(expnd, Value) \
    X(expndtw, Value) \
    X(f, Value) \
    X(facingp, Flag) \
    X(falt, Destination) \
    X(fcharset, Value) \
    X(fdecor, Flag) \
    X(fet, Flag) \
    X(fi, Value) \
    X(field, Destination) \
    X(file, Destination) \
    X(filetbl, Destination) \
    X(fldinst, Destination) \
    X(fldrslt, Destination) \
    X(fmodern, Flag) \
    X(fn, Value) \
    X(fnetwork, Destination) \
    X(fnil, Flag) \
    X(fontemb, Destination) \
    X(fontfile, Destination) \
    X(fonttbl, Destination) \
    X(footer, Destination) \
    X(footerf, Destination) \
    X(footerl, Destination) \
    X(footerr, Destination) \
    X(footery, Value) \
    X(footnote, Destination) \
    X(fprq, Value) \
    X(froman, Flag) \
    X(fs, Value) \
    X(fscript, Flag) \
    X(fswiss, Flag) \
    X(ftnalt, Flag) \
    X(ftnbj, Flag) \
    X(ftncn, Destination) \
    X(ftnnalc, Flag) \
    X(ftnnar, Flag) \
    X(ftnnauc, Flag) \
    X(ftnnchi, Flag) \
    X(ftnnrlc, Flag) \
    X(ftnnruc, Flag) \
    X(ftnrestart, Flag) \
    X(ftnrstcont, Flag) \
    X(ftnrstpg, Flag) \
    X(ftnsep, Destination) \
    X(ftnsepc, Destination) \
    X(ftnstart, Value) \
    X(ftntj, Flag) \
    X(generator, Destination) \
    X(green, Value) \
    X(header, Destination) \
    X(headerf, Destination) \
    X(headerl, Destination) \
    X(headerr, Destination) \
    X(headery, Value) \
    X(highlight, Value) \
    X(hr, Value) \
    X(i, Toggle) \
    X(impr, Toggle) \
    X(info, Destination) \
    X(intbl, Flag) \
    X(jpegblip, Flag) \
    X(keep, Flag) \
    X(keepn, Flag) \
    X(keepnoff, Flag) \
    X(keepoff, Flag) \
    X(kerning, Value) \
    X(keycode, Flag) \
    X(keywords, Destination) \
    X(landscape, Flag) \
    X(lang, Value) \
    X(ldblquote, Symbol) \
    X(levelnumbers, Destination) \
    X(leveltext, Destination) \
    X(li, Value) \
    X(line, Symbol) \
    X(linebetcol, Flag) \
    X(list, Destination) \
    X(listlevel, Destination) \
    X(listname, Destination) \
    X(listoverride, Destination) \
    X(listoverridetable, Destination) \
    X(listtable, Destination) \
    X(listtext, Destination) \
    X(lndscpsxn, Flag) \
    X(lquote, Symbol) \
    X(mac, Flag) \
    X(margb, Value) \
    X(margbsxn, Value) \
    X(margl, Value) \
    X(marglsxn, Value) \
    X(margmirror, Flag) \
    X(margr, Value) \
    X(margrsxn, Value) \
    X(margt, Value) \
    X(margtsxn, Value) \
    X(min, Value) \
    X(mo, Value) \
    X(nestcell, Symbol) \
    X(nestrow, Symbol) \
    X(nesttableprops, Destination) \
    X(nextfile, Destination) \
    X(nofpages, Value) \
    X(nonesttables, Destination) \
    X(nonshppict, Destination) \
    X(nosupersub, Flag) \
    X(nowidctlpar, Flag) \
    X(objalias, Destination) \
    X(objautlink, Flag) \
    X(objclass, Destination) \
    X(objdata, Destination) \
    X(object, Destination) \
    X(objemb, Flag) \
    X(objh, Value) \
    X(objhtml, Flag) \
    X(objicemb, Flag) \
    X(objlink, Flag) \
    X(objname, Destination) \
    X(objocx, Flag) \
    X(objpub, Flag) \
    X(objsect, Destination) \
    X(objsub, Flag) \
    X(objtime, Destination) \
    X(objw, Value) \
    X(operator, Destination) \
    X(outl, Toggle) \
    X(page, Symbol) \
    X(pagebb, Flag) \
    X(pagebboff, Flag) \
    X(paperh, Value) \
    X(paperw, Value) \
    X(par, Symbol) \
    X(pard, Flag) \
    X(pghsxn, Value) \
    X(pgncont, Flag) \
    X(pgndec, Flag) \
    X(pgnlcltr, Flag) \
    X(pgnlcrm, Flag) \
    X(pgnrestart, Flag) \
    X(pgnstarts, Value) \
    X(pgnucltr, Flag) \
    X(pgnucrm, Flag) \
    X(pgwsxn, Value) \
    X(pich, Value) \
    X(pichgoal, Value) \
    X(picprop, Destination) \
    X(picscalex, Value) \
    X(picscaley, Value) \
    X(pict, Destination) \
    X(picw, Value) \
    X(picwgoal, Value) \
    X(plain, Flag) \
    X(pn, Destination) \
    X(pnf, Value) \
    X(pngblip, Flag) \
    X(pnlvlblt, Flag) \
    X(pnseclvl, Destination) \
    X(pntext, Destination) \
    X(pntxta, Destination) \
    X(pntxtb, Destination) \
    X(printim, Destination) \
    X(private1, Destination) \
    X(qc, Flag) \
    X(qj, Flag) \
    X(ql, Flag) \
    X(qr, Flag) \
    X(rdblquote, Symbol) \
    X(red, Value) \
    X(result, Destination) \
    X(revtbl, Destination) \
    X(revtim, Destination) \
    X(ri, Value) \
    X(row, Symbol) \
    X(rquote, Symbol) \
    X(rxe, Destination) \
    X(s, Value) \
    X(sa, Value) \
    X(sb, Value) \
    X(sbasedon, Value) \
    X(sbkcol, Flag) \
    X(sbkeven, Flag) \
    X(sbknone, Flag) \
    X(sbkodd, Flag) \
    X(sbkpage, Flag) \
    X(scaps, Toggle) \
    X(sec, Value) \
    X(sect, Symbol) \
    X(sectd, Flag) \
    X(sectfullsaved, Flag) \
    X(shad, Toggle) \
    X(shift, Flag) \
    X(shppict, Destination) \
    X(sl, Value) \
    X(slmult, Value) \
    X(sn, Flag) \
    X(snext, Value) \
    X(sp, Flag) \
    X(stloverrides, Flag) \
    X(strike, Toggle) \
    X(striked, Toggle) \
    X(stylesheet, Destination) \
    X(sub, Flag) \
    X(subject, Destination) \
    X(super, Flag) \
    X(sv, Flag) \
    X(tab, Symbol) \
    X(tb, Value) \
    X(tc, Destination) \
    X(template, Destination) \
    X(themedata, Destination) \
    X(title, Destination) \
    X(titlepg, Flag) \
    X(tldot, Flag) \
    X(tlhyph, Flag) \
    X(tlul, Flag) \
    X(tqc, Flag) \
    X(tqdec, Flag) \
    X(tqr, Flag) \
    X(trowd, Flag) \
    X(tx, Value) \
    X(txe, Destination) \
    X(u, Value) \
    X(uc, Value) \
    X(ud, Destination) \
    X(ul, Toggle) \
    X(ulc, Value) \
    X(uld, Flag) \
    X(uldash, Flag) \
    X(uldashd, Flag) \
    X(uldashdd, Flag) \
    X(uldb, Flag) \
    X(ulhwave, Flag) \
    X(ulldash, Flag) \
    X(ulnone, Flag) \
    X(ulth, Flag) \
    X(ulthd, Flag) \
    X(ulthdash, Flag) \
    X(ulthdashd, Flag) \
    X(ulthdashdd, Flag) \
    X(ulthldash, Flag) \
    X(ululdbwave, Flag) \
    X(ulw, Flag) \
    X(ulwave, Flag) \
    X(up, Value) \
    X(upr, Destination) \
    X(useltbaln, Flag) \
    X(version, Value) \
    X(viewscale, Value) \
    X(viewzk, Value) \
    X(widctlpar, Flag) \
    X(widowctrl, Flag) \
    X(wmetafile, Value) \
    X(xe, Destination) \
    X(xmlnstbl, Destination) \
    X(yr, Value)

// The word numbers, named rw_ and the word.
enum TRtfWord : int16_t {
#define QP_RTF_ENUM(name, kind) rw_##name,
    QP_RTF_WORDS(QP_RTF_ENUM)
#undef QP_RTF_ENUM
        rwCount
};
static_assert(rwCount == 328, "the control-word table has 328 words");

// Words longer than this are not in the table; the scanners still consume them whole.
constexpr int kMaxControlWordLength = 32;

// The table and its index: the number of a word found in a few steps.
class TControlWords {
public:
    TControlWords();
    // Number of a word whose letters are already lower case, or -1.
    int FindIndex(std::string_view letters) const;
    static std::string_view NameOf(int number);
    static TRtfWordKind KindOf(int number);
    // True for the words that start a group of their own.
    static bool IsDestination(int number) { return KindOf(number) == TRtfWordKind::Destination; }

private:
    int16_t OneLetter[26];
    struct TCell {
        int16_t Word = -1;  // the two-letter word itself
        int16_t First = -1; // first and last longer word beginning with these two letters
        int16_t Last = -1;
    };
    TCell TwoLetters[26][26];
};

// The one table of the program.
const TControlWords& ControlWords();

// Two lower-case hexadecimal digits per byte, high nibble first.
void BytesToHexPairs(char* destination, const uint8_t* source, int32_t count);
// Writes "\'" and two lower-case hexadecimal digits for each byte.
void BytesToEscapes(const uint8_t* source, char* destination, int32_t count);

// Number of leading characters, up to Maximum, of codes 32 to 127 other than "\", "{" and "}"; of codes
// 128 to 255; of plain text.
int32_t CountAsciiRun(const uint8_t* p, int32_t maximum);
int32_t CountHighRun(const uint8_t* p, int32_t maximum);
int32_t CountPlainTextRun(const uint8_t* p, int32_t maximum);
