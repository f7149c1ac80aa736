// version.h — the program's version, compiled in from the project version.
#pragma once
#include <QString>

namespace qx {

// The "FileVersion" of the program: the CMake project version ("3.80").
QString GetExeVersion();

}  // namespace qx
