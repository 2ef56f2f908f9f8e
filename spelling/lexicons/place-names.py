#!/usr/bin/env python3
"""Writes the word file of the geography lexicon: the words of the French names of countries (today's and
former ones) and of their subdivisions, from the ISO code tables and their French translations.

Use: place-names.py ISO-JSON-FOLDER LOCALE-FOLDER OUT.dic

A subdivision counts when its name is French as it stands (those of France, Monaco, Wallonia and the
French-speaking Swiss cantons) or when it has a French translation. Each name gives its capitalised
words: a hyphenated word whole and in its parts, without a leading elision. Words that Windows-1252
cannot write are left out, and so are those with digits. Words that begin with a vowel also take the
elided forms of the French affix file (l', d', qu')."""
import gettext
import json
import os
import re
import sys


def load(folder, standard):
    with open(os.path.join(folder, f"iso_{standard}.json"), encoding="utf-8") as f:
        return json.load(f)[standard]


def french(locales, standard):
    return gettext.translation(f"iso_{standard}", locales, ["fr"])


def words(name):
    for token in re.split(r"[\s,;()/\[\]]+", name):
        token = re.sub(r"^(?:[lLdD]|[Qq]u)['’]", "", token).strip(".'’-")
        if not token or not token[0].isupper() or any(c.isdigit() for c in token):
            continue
        try:
            token.encode("cp1252")
        except UnicodeEncodeError:
            continue
        yield token
        if "-" in token:
            yield from (p for p in token.split("-") if p and p[0].isupper())


FRENCH_CANTONS = {"CH-GE", "CH-VD", "CH-NE", "CH-JU", "CH-VS", "CH-FR"}


def is_french(entry):
    code = entry["code"]
    return (code.startswith(("FR-", "MC-")) or code in FRENCH_CANTONS or code == "BE-WAL" or
            (code.startswith("BE-") and entry.get("parent") == "WAL"))


def main(folder, locales, out):
    names = []
    for standard, keys in (("3166-1", ("name", "official_name", "common_name")), ("3166-3", ("name",))):
        tr = french(locales, standard)
        for entry in load(folder, standard):
            for key in keys:
                if key in entry:
                    translated = tr.gettext(entry[key])
                    if translated != entry[key] or entry.get("alpha_2") == "FR":
                        names.append(translated)
    tr = french(locales, "3166-2")
    for entry in load(folder, "3166-2"):
        translated = tr.gettext(entry["name"])
        if is_french(entry) or translated != entry["name"]:
            names.append(translated)
    found = sorted({w for name in names for w in words(name)})
    if len(found) < 1000:
        sys.exit(f"place-names: only {len(found)} names found in {folder}")
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(f"{len(found)}\n")
        for w in found:
            f.write(w + ("/L'D'Q'" if w[0] in "AEIOUYHÀÂÉÈÊÎÔŒÆ" else "") + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: place-names.py ISO-JSON-FOLDER LOCALE-FOLDER OUT.dic")
    main(*sys.argv[1:])
