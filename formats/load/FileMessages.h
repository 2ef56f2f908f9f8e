// Small helpers that the load and the save share: file names quoted in messages, the message kinds
// and buttons they use, and opening a file without an exception.
#pragma once
#include <memory>
#include <string>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/windowing/DialogTypes.h"
#include "core/Messages.h"

namespace filemsg {

constexpr uint16_t btYes = MsgDlgButton(mbYes), btNo = MsgDlgButton(mbNo), btOK = MsgDlgButton(mbOK),
                   btCancel = MsgDlgButton(mbCancel), btRetry = MsgDlgButton(mbRetry);
constexpr uint8_t mkError = mtError, mkInformation = mtInformation, mkConfirmation = mtConfirmation,
                  mkNoOption = NoOptionalMessage;

// Before + the name in double quotes + After.
inline std::string Quoted(const char* before, const std::string& name, const char* after)
{
    return std::string(before) + "\"" + name + "\"" + after;
}

// The file opened in a mode, or null when it cannot be.
inline std::unique_ptr<TStream> TryOpen(const std::string& name, uint32_t mode)
{
    try {
        return std::make_unique<TFileStream>(name, mode);
    } catch (const EStreamError&) {
        return nullptr;
    }
}

} // namespace filemsg
