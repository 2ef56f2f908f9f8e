// The calculator's recursive evaluator, its function table and the display form of its results.
#include "editing/Evaluator.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Format.h"
#include "core/Messages.h"
#include "core/TextUtils.h"

namespace {

constexpr long double PiValue = 3.141592653589793238462643383279502884L;
constexpr long double EValue = 2.718281828459045235360287471352662498L;
// Parentheses and operators nest the evaluation; past this depth the expression is refused instead
// of exhausting the stack.
constexpr int32_t MaxNesting = 200;

const char* const OverflowMessage = "Dépassement de capacité.";
const char* const RangeMessage =
    "La plage des valeurs pour la variable est de %s (valeur de la variable : %g).";
const char* const IntegerMessage = "La variable doit être un entier (valeur de la variable : %g).";

enum TPostfix : int32_t { pfNone = 0, pfPercent = 1, pfFactorial = 2 };

const char* const Units[] = {"centimètres",
                             "pouces anglais",
                             "pieds anglais",
                             "yards anglais",
                             "mètres",
                             "kilomètres",
                             "miles internationaux",
                             "grammes",
                             "onces anglaises",
                             "livres anglaises",
                             "kilogrammes",
                             "tonnes",
                             "pintes britanniques",
                             "litres",
                             "gallons britanniques",
                             "acres",
                             "hectares"};

struct TFunctionEntry {
    const char* Name;
    long double Factor; // unit conversions: the multiplier of the argument
    int8_t From;        // unit conversions: the units named in the description; -1 otherwise
    int8_t To;
};

// Entries 1 to 97; the factors of the unit conversions are the calculator's own, exactly.
const TFunctionEntry Functions[EvaluatorFunctionCount] = {
    {"", 0, -1, -1},
    {"cos", 0, -1, -1},
    {"sin", 0, -1, -1},
    {"tan", 0, -1, -1},
    {"tg", 0, -1, -1},
    {"cot", 0, -1, -1},
    {"cotan", 0, -1, -1},
    {"ctg", 0, -1, -1},
    {"arccos", 0, -1, -1},
    {"acos", 0, -1, -1},
    {"arcsin", 0, -1, -1},
    {"asin", 0, -1, -1},
    {"arctan", 0, -1, -1},
    {"atan", 0, -1, -1},
    {"arctg", 0, -1, -1},
    {"cosh", 0, -1, -1},
    {"sinh", 0, -1, -1},
    {"tanh", 0, -1, -1},
    {"tgh", 0, -1, -1},
    {"arccosh", 0, -1, -1},
    {"arcsinh", 0, -1, -1},
    {"arctanh", 0, -1, -1},
    {"arctgh", 0, -1, -1},
    {"ln", 0, -1, -1},
    {"lg", 0, -1, -1},
    {"logb", 0, -1, -1},
    {"exp", 0, -1, -1},
    {"sqrt", 0, -1, -1},
    {"abs", 0, -1, -1},
    {"trunc", 0, -1, -1},
    {"round", 0, -1, -1},
    {"frac", 0, -1, -1},
    {"DegEnRad", 0, -1, -1},
    {"RadEnDeg", 0, -1, -1},
    {"BinEnDec", 0, -1, -1},
    {"OctEnDec", 0, -1, -1},
    {"HexEnDec", 0, -1, -1},
    {"RomainEnArabe", 0, -1, -1},
    {"DecEnBin", 0, -1, -1},
    {"DecEnOct", 0, -1, -1},
    {"DecEnHex", 0, -1, -1},
    {"ArabeEnRomain", 0, -1, -1},
    {"CmEnPouce", 0.3937007874015748L, 0, 1},
    {"CmEnPied", 0.03280839895013123L, 0, 2},
    {"CmEnYard", 0.010936132983377077L, 0, 3},
    {"CmEnMetre", 0.01L, 0, 4},
    {"PouceEnCm", 2.54L, 1, 0},
    {"PouceEnPied", 1.0L / 12, 1, 2},
    {"PouceEnYard", 1.0L / 36, 1, 3},
    {"PouceEnMetre", 0.0254L, 1, 4},
    {"PiedEnCm", 30.48L, 2, 0},
    {"PiedEnPouce", 12, 2, 1},
    {"PiedEnYard", 1.0L / 3, 2, 3},
    {"PiedEnMetre", 1.0L / 3.28L, 2, 4},
    {"YardEnCm", 91.44L, 3, 0},
    {"YardEnPouce", 36, 3, 1},
    {"YardEnPied", 3, 3, 2},
    {"YardEnMetre", 0.9144L, 3, 4},
    {"YardEnKm", 0.0009144L, 3, 5},
    {"YardEnMile", 0.0005681818181818182L, 3, 6},
    {"MetreEnCm", 100, 4, 0},
    {"MetreEnPouce", 39.37L, 4, 1},
    {"MetreEnPied", 3.2808398950131235L, 4, 2},
    {"MetreEnYard", 1.0936132983377078L, 4, 3},
    {"MetreEnKm", 0.001L, 4, 5},
    {"MetreEnMile", 0.0006213727366498067L, 4, 6},
    {"KmEnYard", 1094, 5, 3},
    {"KmEnMetre", 1000, 5, 4},
    {"KmEnMile", 0.6213727366498067L, 5, 6},
    {"MileEnYard", 1760, 6, 3},
    {"MileEnMetre", 1609.34L, 6, 4},
    {"MileEnKm", 1.60934L, 6, 5},
    {"GramEnOnce", 0.03527399072294044L, 7, 8},
    {"GramEnLivre", 0.0022046244201837776L, 7, 9},
    {"GramEnKg", 0.001L, 7, 10},
    {"OnceEnGram", 28.3495L, 8, 7},
    {"OnceEnLivre", 0.0625L, 8, 9},
    {"OnceEnKg", 0.0283495L, 8, 10},
    {"LivreEnGram", 453.592L, 9, 7},
    {"LivreEnOnce", 16, 9, 8},
    {"LivreEnKg", 0.453592L, 9, 10},
    {"LivreEnTonne", 0.000453592L, 9, 11},
    {"KgEnGram", 1000, 10, 7},
    {"KgEnOnce", 35.27399072294044L, 10, 8},
    {"KgEnLivre", 2.2046244201837775L, 10, 9},
    {"KgEnTonne", 0.001L, 10, 11},
    {"TonneEnLivre", 2204.6244201837776L, 11, 9},
    {"TonneEnKg", 1000, 11, 10},
    {"PinteEnLitre", 0.568261L, 12, 13},
    {"PinteEnGallon", 0.125L, 12, 14},
    {"LitreEnPinte", 1.759754760576566L, 13, 12},
    {"LitreEnGallon", 0.2199692482990878L, 13, 14},
    {"GallonEnPinte", 8, 14, 12},
    {"GallonEnLitre", 4.54609L, 14, 13},
    {"FahrEnCels", 0, -1, -1},
    {"CelsEnFahr", 0, -1, -1},
    {"AcreEnHect", 0.404687L, 15, 16},
    {"HectEnAcre", 2.4710455240716898L, 16, 15},
};

// Descriptions of entries 1 to 41; the unit conversions build theirs from the unit names.
const char* const Descriptions[42] = {
    "",
    "donne le cosinus de l'angle",
    "donne le sinus de l'angle",
    "donne la tangente de l'angle",
    "donne la tangente de l'angle",
    "donne la cotangente de l'angle",
    "donne la cotangente de l'angle",
    "donne la cotangente de l'angle",
    "donne le cosinus inverse de l'angle",
    "donne le cosinus inverse de l'angle",
    "donne le sinus inverse de l'angle",
    "donne le sinus inverse de l'angle",
    "donne l'arctangente du nombre",
    "donne l'arctangente du nombre",
    "donne l'arctangente du nombre",
    "donne le cosinus hyperbolique de l'angle",
    "donne le sinus hyperbolique de l'angle",
    "donne la tangente hyperbolique de l'angle",
    "donne la tangente hyperbolique de l'angle",
    "donne le cosinus hyperbolique inverse de l'angle",
    "donne le sinus hyperbolique inverse de l'angle",
    "donne la tangente hyperbolique inverse de l'angle",
    "donne la tangente hyperbolique inverse de l'angle",
    "donne le logarithme naturel",
    "donne le logarithme en base 10",
    "donne le logarithme en base 2",
    "donne l'exponentiel",
    "donne la racine carrée",
    "donne la valeur absolue",
    "troncature : donne l'entier d'un nombre réel",
    "arrondi : donne l'entier d'un nombre réel",
    "donne la mantisse d'un nombre réel",
    "convertit degrés en radians (angles)",
    "convertit radians en degrés (angles)",
    "convertit un entier binaire en entier décimal",
    "convertit un entier octal en entier décimal",
    "convertit un entier hexadecimal en entier décimal",
    "donne la notation décimale d'un entier en notation romaine",
    "convertit un entier décimal en entier binaire",
    "convertit un entier décimal en entier octal",
    "convertit un entier décimal en entier hexadecimal",
    "donne la notation romaine d'un entier en notation décimale",
};

const char* const NotationNames[4] = {"binaire", "octale", "hexadécimale", "romaine"};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsMultiplicative(char c)
{
    return c == '*' || c == '/' || c == ':' || c == '\xB7';
}
bool IsWhole(long double v)
{
    return std::truncl(v) == v;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// The state of one evaluation: the whole text, the constants and the first error met.
struct TEvaluation {
    std::string_view Text;
    long double Pi = PiValue;
    long double E = EValue;
    int32_t ErrorPos = 0;
    int32_t ErrorLength = 0;
    std::string ErrorMessage;
    bool TextResult = false;
    std::string TextValue;

    [[noreturn]] void Fail(size_t pos, size_t length, std::string message)
    {
        ErrorPos = static_cast<int32_t>(pos);
        ErrorLength = static_cast<int32_t>(length);
        ErrorMessage = std::move(message);
        throw EAbort(ErrorMessage);
    }
    [[noreturn]] void FailRange(size_t pos, size_t length, const char* range, long double value)
    {
        Fail(pos, length, Format(RangeMessage, range, value));
    }
    // A value that left the numbers (overflow, or an operation without a result) ends the evaluation.
    long double Checked(long double v, size_t pos, size_t length)
    {
        if (!std::isfinite(v))
            Fail(pos, length, OverflowMessage);
        return v;
    }
    void CheckIntegerRange(long double v, size_t pos, size_t length)
    {
        if (!(v >= -2147483648.0L && v <= 2147483647.0L))
            FailRange(pos, length, "[-2147483648, 2147483647]", v);
    }

    long double EvaluateCore(size_t s, size_t e, int32_t level, int32_t& postfix);
    long double Additive(size_t s, size_t e, int32_t level);
    long double Multiplicative(size_t s, size_t e, int32_t level);
    long double Power(size_t s, size_t e, int32_t level, const std::vector<size_t>& cuts);
    long double Operand(size_t s, size_t e);
    long double FunctionCall(size_t s, size_t e, int32_t level);
    long double ApplyFunction(uint8_t index, long double x, size_t as, size_t ae);
};

// The positions of the additive operators of a span: "+" and "-" at depth 0 that do not begin their
// segment and are not the sign of a number's exponent.
std::vector<size_t> AdditiveCuts(std::string_view t, size_t s, size_t e)
{
    std::vector<size_t> cuts;
    int32_t depth = 0;
    bool seen = false; // a non-blank character stands in the current segment
    for (size_t i = s; i < e; ++i) {
        const char c = t[i];
        if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        if (depth == 0 && (c == '+' || c == '-') && seen) {
            const bool exponent = i >= s + 2 && (t[i - 1] == 'E' || t[i - 1] == 'e') && IsDigit(t[i - 2]) &&
                                  i + 1 < e && IsDigit(t[i + 1]);
            if (!exponent) {
                cuts.push_back(i);
                seen = false;
                continue;
            }
        }
        if (c != ' ')
            seen = true;
    }
    return cuts;
}

// One cut of the multiplicative level: the operator ('*' for an implicit product) and where the text
// on each side of it ends and begins.
struct TMulCut {
    char Op;
    size_t LeftEnd;
    size_t RightStart;
};

std::vector<TMulCut> MultiplicativeCuts(std::string_view t, size_t s, size_t e)
{
    std::vector<TMulCut> cuts;
    int32_t depth = 0;
    for (size_t i = s; i < e; ++i) {
        const char c = t[i];
        if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        if (depth != 0)
            continue;
        if (IsMultiplicative(c)) {
            cuts.push_back({c, i, i + 1});
            continue;
        }
        if (i + 1 >= e)
            break;
        const char n = t[i + 1];
        bool implicit = false;
        if ((IsDigit(c) || c == ')') && n == '(')
            implicit = true;
        else if (c == ')' && (IsDigit(n) || IsLetter(n)))
            implicit = true;
        else if (IsDigit(c) && IsLetter(n)) {
            // A number's exponent is no product; a lone "e" after a digit is the constant e.
            const bool exponent = (n == 'E' || n == 'e') && i + 2 < e &&
                                  (IsDigit(t[i + 2]) || t[i + 2] == '+' || t[i + 2] == '-');
            implicit = !exponent;
        } else if ((IsDigit(c) || IsLetter(c)) && n == ' ') {
            size_t j = i + 1;
            while (j < e && t[j] == ' ')
                ++j;
            if (j < e) {
                const char m = t[j];
                implicit = IsDigit(c) ? (IsDigit(m) || m == '(') : (IsDigit(m) || IsLetter(m));
            }
        }
        if (implicit)
            cuts.push_back({'*', i + 1, i + 1});
    }
    return cuts;
}

long double TEvaluation::EvaluateCore(size_t s, size_t e, int32_t level, int32_t& postfix)
{
    postfix = pfNone;
    if (level > MaxNesting)
        Fail(s, e - s, OverflowMessage);
    const size_t end = e;
    while (s < e && Text[s] == ' ')
        ++s;
    while (e > s && Text[e - 1] == ' ')
        --e;
    if (s == e)
        Fail(end, 0, "Expression manquante.");

    if (Text[s] == '+' || Text[s] == '-' || !AdditiveCuts(Text, s, e).empty())
        return Checked(Additive(s, e, level), s, e - s);
    if (Text[s] == '/' || Text[s] == ':' || !MultiplicativeCuts(Text, s, e).empty())
        return Checked(Multiplicative(s, e, level), s, e - s);

    std::vector<size_t> powers;
    int32_t depth = 0;
    for (size_t i = s; i < e; ++i) {
        if (Text[i] == '(')
            ++depth;
        else if (Text[i] == ')')
            --depth;
        else if (depth == 0 && Text[i] == '^')
            powers.push_back(i);
    }
    if (!powers.empty())
        return Checked(Power(s, e, level, powers), s, e - s);

    if (Text[e - 1] == '%') {
        int32_t inner;
        long double v = EvaluateCore(s, e - 1, level + 1, inner);
        postfix = pfPercent;
        return v;
    }
    if (Text[e - 1] == '!') {
        int32_t inner;
        long double n = EvaluateCore(s, e - 1, level + 1, inner);
        if (!IsWhole(n))
            Fail(s, e - 1 - s, Format(IntegerMessage, n));
        if (n < 0 || n > 1000)
            FailRange(s, e - 1 - s, "[0, 1000]", n);
        long double product = 1;
        for (int32_t k = 2; k <= static_cast<int32_t>(n); ++k)
            product *= k;
        postfix = pfFactorial;
        return product;
    }
    if (Text.substr(s, e - s).find('(') == std::string_view::npos)
        return Operand(s, e);
    return FunctionCall(s, e, level);
}

long double TEvaluation::Additive(size_t s, size_t e, int32_t level)
{
    // A sign at the very start belongs to the first segment.
    const bool negative = Text[s] == '-';
    size_t first = (Text[s] == '+' || Text[s] == '-') ? s + 1 : s;
    std::vector<size_t> cuts = AdditiveCuts(Text, first, e);
    int32_t postfix;
    size_t segEnd = cuts.empty() ? e : cuts[0];
    long double acc = EvaluateCore(first, segEnd, level + 1, postfix);
    if (negative)
        acc = -acc;
    for (size_t k = 0; k < cuts.size(); ++k) {
        const size_t from = cuts[k] + 1, to = k + 1 < cuts.size() ? cuts[k + 1] : e;
        long double v = EvaluateCore(from, to, level + 1, postfix);
        if (postfix == pfPercent)
            v = v * acc * 0.01L;
        acc = Text[cuts[k]] == '-' ? acc - v : acc + v;
        Checked(acc, s, to - s);
    }
    return acc;
}

long double TEvaluation::Multiplicative(size_t s, size_t e, int32_t level)
{
    std::vector<TMulCut> cuts = MultiplicativeCuts(Text, s, e);
    int32_t postfix;
    long double acc;
    size_t k = 0;
    // Where a segment begins and ends: between the cut before it and the cut after it.
    auto segStart = [&](size_t i) { return i == 0 ? s : cuts[i - 1].RightStart; };
    auto segEnd = [&](size_t i) { return i < cuts.size() ? cuts[i].LeftEnd : e; };
    if (Text[s] == '/' || Text[s] == ':') {
        // "/4" is the reciprocal of 4: the first cut is the leading operator itself.
        const size_t from = segStart(1), to = segEnd(1);
        long double v = EvaluateCore(from, to, level + 1, postfix);
        if (v == 0)
            Fail(from, to - from, "Division par zéro.");
        acc = 1 / v;
        k = 1;
    } else {
        acc = EvaluateCore(s, segEnd(0), level + 1, postfix);
    }
    for (; k < cuts.size(); ++k) {
        const size_t from = segStart(k + 1), to = segEnd(k + 1);
        long double v = EvaluateCore(from, to, level + 1, postfix);
        if (postfix == pfPercent)
            v = v * acc * 0.01L;
        if (cuts[k].Op == '/' || cuts[k].Op == ':') {
            if (v == 0)
                Fail(from, to - from, "Division par zéro.");
            acc /= v;
        } else {
            acc *= v;
        }
        Checked(acc, s, to - s);
    }
    return acc;
}

long double TEvaluation::Power(size_t s, size_t e, int32_t level, const std::vector<size_t>& cuts)
{
    int32_t postfix;
    long double acc = EvaluateCore(s, cuts[0], level + 1, postfix);
    for (size_t k = 0; k < cuts.size(); ++k) {
        const size_t from = cuts[k] + 1, to = k + 1 < cuts.size() ? cuts[k + 1] : e;
        long double x = EvaluateCore(from, to, level + 1, postfix);
        if (acc < 0 && std::fabs(x) < 1)
            FailRange(s, cuts[k] - s, "[0, +~)", acc);
        acc = Checked(std::pow(acc, x), s, to - s);
    }
    return acc;
}

long double TEvaluation::Operand(size_t s, size_t e)
{
    std::string_view text = Text.substr(s, e - s);
    if (EqualNoCase(text, "Pi"))
        return Pi;
    if (EqualNoCase(text, "E"))
        return E;
    std::string number(text);
    for (char& c : number)
        if (c == ',' || c == '.')
            c = FormatSettings.DecimalSeparator;
    long double v;
    if (!TryStrToFloat(number, v)) {
        std::string shown(text.substr(0, 64));
        if (text.size() > 64)
            shown += "...";
        Fail(s, e - s, Format("Constante inconnue \"%s\".", shown));
    }
    return v;
}

long double TEvaluation::FunctionCall(size_t s, size_t e, int32_t level)
{
    const size_t open = Text.find('(', s);
    if (Text[e - 1] != ')')
        Fail(e, 0, "Parenthèse fermante \")\" manquante.");
    std::string_view name = Text.substr(s, open - s);
    const uint8_t index = FindEvaluatorFunction(name);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    if (index == NoSuchFunction)
        Fail(s, open - s, Format("Fonction inconnue \"%s\".", name));
    const size_t as = open + 1, ae = e - 1;
    if (index >= 34 && index <= 37) {
        std::string_view arg = Text.substr(as, ae - as);
        try {
            return ParseNotationConstant(index, arg);
        } catch (const Exception&) {
            while (!arg.empty() && arg.front() == ' ')
                arg.remove_prefix(1);
            while (!arg.empty() && arg.back() == ' ')
                arg.remove_suffix(1);
            Fail(as, ae - as,
                 Format("\"%s\" n'est pas une constante valide en notation %s.", arg,
                        NotationNames[index - 34]));
        }
    }
    if (index >= 38 && index <= 41 && level > 0)
        Fail(s, e - s,
             Format("La fonction %s ne peut pas être utilisée comme paramètre d'une autre fonction ou comme "
                    "opérande d'une opération.",
                    name));
    int32_t postfix;
    const long double x = EvaluateCore(as, ae, level + 1, postfix);
    return Checked(ApplyFunction(index, x, as, ae), s, e - s);
}

long double TEvaluation::ApplyFunction(uint8_t index, long double x, size_t as, size_t ae)
{
    const size_t al = ae - as;
    switch (index) {
    case 0: return x;
    case 1: return std::cos(x);
    case 2: return std::sin(x);
    case 3:
    case 4: return std::tan(x);
    case 5:
    case 6:
    case 7:
        if (x == 0)
            FailRange(as, al, "(-~, 0)U(0, +~)", x);
        return 1 / std::tan(x);
    case 8:
    case 9:
        if (std::fabs(x) > 1)
            FailRange(as, al, "[-1, 1]", x);
        return std::acos(x);
    case 10:
    case 11:
        if (std::fabs(x) > 1)
            FailRange(as, al, "[-1, 1]", x);
        return std::asin(x);
    case 12:
    case 13:
    case 14: return std::atan(x);
    case 15: return std::cosh(x);
    case 16: return std::sinh(x);
    case 17:
    case 18: return std::tanh(x);
    case 19:
        if (x < 1)
            FailRange(as, al, "[1, +~)", x);
        return std::acosh(x);
    case 20: return std::asinh(x);
    case 21:
    case 22:
        if (std::fabs(x) > 1)
            FailRange(as, al, "[-1, 1]", x);
        return std::atanh(x);
    case 23:
    case 24:
    case 25:
        if (x <= 0)
            FailRange(as, al, "(0, +~)", x);
        return index == 23 ? std::log(x) : index == 24 ? std::log10(x) : std::log2(x);
    case 26: return std::exp(x);
    case 27:
        if (x < 0)
            FailRange(as, al, "[0, +~)", x);
        return std::sqrt(x);
    case 28: return std::fabs(x);
    case 29: CheckIntegerRange(x, as, al); return std::trunc(x);
    case 30: CheckIntegerRange(x, as, al); return std::nearbyint(x);
    case 31: return x - std::trunc(x);
    case 32: return x * Pi / 180;
    case 33: return x * 180 / Pi;
    case 38:
    case 39:
    case 40: {
        CheckIntegerRange(x, as, al);
        if (!IsWhole(x))
            Fail(as, al, Format(IntegerMessage, x));
        const int64_t n = static_cast<int64_t>(x);
        TextResult = true;
        TextValue = index == 38 ? IntToBin(n) : index == 39 ? IntToOct(n) : IntToHexStr(n);
        return x;
    }
    case 41:
        if (!IsWhole(x) || x <= 0)
            Fail(as, al, Format("la variable doit être un entier positif (valeur de la variable : %g).", x));
        if (x > MaxRomanNumber)
            FailRange(as, al, "[1, 10000000]", x);
        TextResult = true;
        TextValue = IntToRoman(static_cast<int32_t>(x));
        return x;
    case 94: return (x - 32) * 5 / 9;
    case 95: return x * 1.8L + 32;
    default: return x * Functions[index].Factor;
    }
}

} // namespace

const char* EvaluatorFunctionName(int32_t index)
{
    return index >= 0 && index < EvaluatorFunctionCount ? Functions[index].Name : "";
}

std::string EvaluatorFunctionDescription(int32_t index)
{
    if (index <= 0 || index >= EvaluatorFunctionCount)
        return {};
    if (index < 42)
        return Descriptions[index];
    if (index == 94)
        return "convertit les degrés Fahrenheit en degrés centigrades (Celsius)";
    if (index == 95)
        return "convertit les degrés centigrades (Celsius) en degrés Fahrenheit";
    const TFunctionEntry& f = Functions[index];
    return std::string("convertit les ") + Units[f.From] + " en " + Units[f.To];
}

uint8_t FindEvaluatorFunction(std::string_view name)
{
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    for (int32_t i = 0; i < EvaluatorFunctionCount; ++i)
        if (EqualNoCase(name, Functions[i].Name))
            return static_cast<uint8_t>(i);
    return NoSuchFunction;
}

long double ParseNotationConstant(int32_t function, std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    auto endsIn = [&](char upper) {
        return !text.empty() && (text.back() == upper || text.back() == upper - 'A' + 'a');
    };
    switch (function) {
    case 34:
        if (endsIn('B'))
            text.remove_suffix(1);
        return BinToInt(text);
    case 35:
        if (endsIn('O'))
            text.remove_suffix(1);
        return OctToInt(text);
    case 36:
        if (!text.empty() && text.front() == '$')
            text.remove_prefix(1);
        else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
            text.remove_prefix(2);
        if (endsIn('H'))
            text.remove_suffix(1);
        return HexToInt(text);
    case 37: {
        const int32_t v = text.empty() ? -1 : RomanToIntDef(text, -1);
        if (v < 0)
            throw Exception("Invalid integer constant");
        return v;
    }
    default: throw Exception("Invalid integer constant");
    }
}

TExpressionEvaluationResult EvaluateExpression(std::string_view text, bool silent)
{
    TExpressionEvaluationResult result;
    TEvaluation evaluation;
    evaluation.Text = text;
    try {
        int32_t postfix;
        result.Value = evaluation.EvaluateCore(0, text.size(), 0, postfix);
        result.Success = true;
        result.TextResult = evaluation.TextResult;
        result.Text = evaluation.TextValue;
        return result;
    } catch (const EAbort&) {
        result.ErrorMessage = evaluation.ErrorMessage;
        result.ErrorPos = evaluation.ErrorPos;
        result.ErrorLength = evaluation.ErrorLength;
    } catch (const std::bad_alloc&) {
        result.ErrorMessage = "Dépassement de capacité mémoire.";
    } catch (const EOutOfMemory&) {
        result.ErrorMessage = "Dépassement de capacité mémoire.";
    } catch (...) {
        result.ErrorMessage = "Type d'erreur inconnu.";
    }
    if (!silent)
        ShowError(Format("Erreur lors du calcul : %s", result.ErrorMessage));
    return result;
}

std::string FormatEvaluationResult(long double value, const TCalculatorFormat& format)
{
    const int32_t before = std::clamp(format.DigitsBeforePoint, 1, 18);
    const int32_t after = std::clamp(format.DigitsAfterPoint, 1, 18);
    if (std::fabs(value) >= std::pow(10.0L, before)) {
        // Mantissa with the chosen decimals, then the exponent with its sign and three digits at least.
        std::string s = Format("%." + std::to_string(after) + "e", value);
        const size_t ePos = s.find_first_of("eE");
        if (ePos == std::string::npos)
            return s;
        std::string exponent = s.substr(ePos + 1);
        char sign = '+';
        if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
            sign = exponent[0];
            exponent.erase(0, 1);
        }
        while (exponent.size() < 3)
            exponent.insert(0, 1, '0');
        return s.substr(0, ePos) + "E" + sign + exponent;
    }
    std::string s = Format("%." + std::to_string(after) + "f", value);
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && !IsDigit(s.back()) && s.back() != '-')
        s.pop_back();
    return s;
}
