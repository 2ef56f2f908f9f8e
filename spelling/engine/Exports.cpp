// The engine's entry points: each takes the one lock of the engine and lets no exception out.
#include <windows.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string>

#include "spelling/SpellEngineApi.h"
#include "spelling/engine/Session.h"

namespace {

constexpr int MaxSessions = 32;
constexpr const char* VersionText = "1.0";

std::mutex Lock;
std::unique_ptr<TSession> Sessions[MaxSessions];

// Runs one entry point's work under the lock; an exception becomes an engine error.
template<typename F>
int16_t Guarded(F&& work)
{
    try {
        std::lock_guard<std::mutex> guard(Lock);
        return work();
    } catch (const std::bad_alloc&) {
        return SSCE_ERR_MEMORY;
    } catch (...) {
        return SSCE_ERR_INTERNAL;
    }
}

// Runs work on a session, or gives the session error when there is no such session.
template<typename F>
int16_t OnSession(int16_t session, F&& work)
{
    return Guarded([&]() -> int16_t {
        if (session < 0 || session >= MaxSessions || !Sessions[session])
            return SSCE_ERR_SESSION;
        return work(*Sessions[session]);
    });
}

std::string Text(const char* s)
{
    return s ? std::string(s) : std::string();
}

} // namespace

extern "C" {

int16_t SSCE_API SSCE_OpenSession()
{
    return Guarded([]() -> int16_t {
        for (int i = 0; i < MaxSessions; ++i)
            if (!Sessions[i]) {
                Sessions[i] = std::make_unique<TSession>();
                return static_cast<int16_t>(i);
            }
        return SSCE_ERR_TOO_MANY;
    });
}

int16_t SSCE_API SSCE_CloseSession(int16_t session)
{
    return OnSession(session, [&](TSession&) -> int16_t {
        Sessions[session].reset();
        return SSCE_OK;
    });
}

int16_t SSCE_API SSCE_SetOption(int16_t session, uint32_t option, uint32_t value)
{
    return OnSession(session, [&](TSession& s) { return s.SetOption(option, value); });
}

int16_t SSCE_API SSCE_OpenLex(int16_t session, const char* fileName, int32_t)
{
    return OnSession(session, [&](TSession& s) { return s.OpenLexicon(Text(fileName)); });
}

int16_t SSCE_API SSCE_CreateLex(int16_t session, const char* fileName, int16_t)
{
    return OnSession(session, [&](TSession& s) { return s.CreateLexicon(Text(fileName)); });
}

int16_t SSCE_API SSCE_CloseLex(int16_t session, int16_t lexicon)
{
    return OnSession(session, [&](TSession& s) { return s.CloseLexicon(lexicon); });
}

int16_t SSCE_API SSCE_GetLex(int16_t session, int16_t lexicon, char* buffer, int32_t size)
{
    return OnSession(session, [&](TSession& s) { return s.ListLexicon(lexicon, buffer, size); });
}

int16_t SSCE_API SSCE_AddToLex(int16_t session, int16_t lexicon, const char* word, int16_t action,
                               const char* otherWord)
{
    return OnSession(
        session, [&](TSession& s) { return s.AddToLexicon(lexicon, Text(word), action, Text(otherWord)); });
}

int16_t SSCE_API SSCE_DelFromLex(int16_t session, int16_t lexicon, const char* word)
{
    return OnSession(session, [&](TSession& s) { return s.DeleteFromLexicon(lexicon, Text(word)); });
}

int16_t SSCE_API SSCE_CheckWord(int16_t session, const char* word, char* otherWord, int32_t otherSize)
{
    return OnSession(session, [&](TSession& s) -> int16_t {
        if (!word)
            return SSCE_ERR_ARGUMENT;
        return s.CheckWord(word, otherWord, otherSize);
    });
}

int16_t SSCE_API SSCE_Suggest(int16_t session, const char* word, int16_t depth, char* suggestions,
                              int32_t size, int16_t* scores, int16_t scoreCount)
{
    return OnSession(session, [&](TSession& s) -> int16_t {
        if (!word)
            return SSCE_ERR_ARGUMENT;
        return s.Suggest(word, depth, suggestions, size, scores, scoreCount);
    });
}

int16_t SSCE_API SSCE_Version(char* buffer, int32_t size)
{
    return Guarded([&]() -> int16_t {
        if (!buffer || size <= static_cast<int32_t>(std::strlen(VersionText)))
            return SSCE_ERR_ARGUMENT;
        std::strcpy(buffer, VersionText);
        return SSCE_OK;
    });
}

} // extern "C"
