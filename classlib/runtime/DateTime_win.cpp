// The local date and time from the Windows clock.
#include <windows.h>

#include "classlib/runtime/DateTime.h"

TDateTime Now()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return ComposeDateTime(EncodeDate(st.wYear, st.wMonth, st.wDay),
                           EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds));
}
