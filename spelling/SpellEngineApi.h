// The spelling engine's entry points as the program binds them by name, with their values.
#pragma once
#include <cstdint>

#ifdef _WIN32
#define SSCE_API __stdcall
#else
#define SSCE_API
#endif

// The engine's file, in the folder "Bin\" beside the spell-check system files.
inline constexpr const char* SpellEngineFileName = "ssce5332.dll";

// Results: a negative value is an error code.
enum : int16_t {
    SSCE_OK = 0,
    SSCE_ERR_ARGUMENT = -1,     // a null, empty or malformed argument
    SSCE_ERR_SESSION = -2,      // no such session
    SSCE_ERR_LEXICON = -3,      // no such lexicon in the session
    SSCE_ERR_FILE = -4,         // a file that cannot be opened, read or written
    SSCE_ERR_FORMAT = -5,       // a lexicon file the engine cannot use
    SSCE_ERR_MEMORY = -6,       // out of memory
    SSCE_ERR_NOT_FOUND = -7,    // the word is not in the lexicon
    SSCE_ERR_TOO_MANY = -8,     // no session or lexicon slot left
    SSCE_ERR_MAIN_LEXICON = -9, // a main lexicon can be neither listed nor changed
    SSCE_ERR_EXISTS = -10,      // the file of a lexicon to create exists already
    SSCE_ERR_INTERNAL = -11,    // anything else that went wrong inside the engine
};

// Results of a word check: a bit mask.
enum : int16_t {
    SSCE_WORD_REJECTED = 0x0001, // not accepted
    SSCE_WORD_REPLACE = 0x0002,  // accepted, to be replaced by the other word
};

// Options (value 0 or 1).
enum : uint32_t {
    SSCE_OPT_IGNORE_CAPPED = 0x0001, // accept words that begin with a capital
    SSCE_OPT_RESERVED_2 = 0x0002,
    SSCE_OPT_IGNORE_DIGITS = 0x0004,     // accept words that hold a digit
    SSCE_OPT_IGNORE_ALL_CAPS = 0x0008,   // accept words written in capitals
    SSCE_OPT_IGNORE_MIXED_CASE = 0x0020, // accept words of mixed case
    SSCE_OPT_IGNORE_NUMBERS = 0x0040,    // accept numbers (digits and their punctuation only)
    SSCE_OPT_CASE_SENSITIVE = 0x0200,    // a word must have the case its lexicon gives it
    SSCE_OPT_RESERVED_400 = 0x0400,
    SSCE_OPT_RESERVED_800 = 0x0800,
    SSCE_OPT_RESERVED_1000 = 0x1000,
    SSCE_OPT_SPLIT_WORDS = 0x2000, // suggestions may split a word in two
};

// Actions of lexicon entries.
enum : int16_t {
    SSCE_ACTION_ACCEPT = 'i',  // the word is accepted
    SSCE_ACTION_REPLACE = 'A', // the word is to be replaced by the other word
};

// The language value of a lexicon created by the program (any language).
inline constexpr int16_t SSCE_ANY_LANGUAGE = 30840;

extern "C" {
typedef int16_t(SSCE_API* TSSCE_OpenSession)();
typedef int16_t(SSCE_API* TSSCE_CloseSession)(int16_t session);
typedef int16_t(SSCE_API* TSSCE_SetOption)(int16_t session, uint32_t option, uint32_t value);
typedef int16_t(SSCE_API* TSSCE_OpenLex)(int16_t session, const char* fileName, int32_t reserved);
typedef int16_t(SSCE_API* TSSCE_CreateLex)(int16_t session, const char* fileName, int16_t language);
typedef int16_t(SSCE_API* TSSCE_CloseLex)(int16_t session, int16_t lexicon);
typedef int16_t(SSCE_API* TSSCE_GetLex)(int16_t session, int16_t lexicon, char* buffer, int32_t size);
typedef int16_t(SSCE_API* TSSCE_AddToLex)(int16_t session, int16_t lexicon, const char* word, int16_t action,
                                          const char* otherWord);
typedef int16_t(SSCE_API* TSSCE_DelFromLex)(int16_t session, int16_t lexicon, const char* word);
typedef int16_t(SSCE_API* TSSCE_CheckWord)(int16_t session, const char* word, char* otherWord,
                                           int32_t otherSize);
typedef int16_t(SSCE_API* TSSCE_Suggest)(int16_t session, const char* word, int16_t depth, char* suggestions,
                                         int32_t size, int16_t* scores, int16_t scoreCount);
typedef int16_t(SSCE_API* TSSCE_Version)(char* buffer, int32_t size);
}
