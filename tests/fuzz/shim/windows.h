// The one Win32 name the synchronisation texts need, for the host build of their
// fuzzer; their strings come from the fuzzer's own stand-in for the string table.
#pragma once
using UINT = unsigned int;
