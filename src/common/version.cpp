// version.cpp — the version resource of the program.
#include "common/version.h"

#include "qx_version.h"

namespace qx {

QString GetExeVersion() { return QStringLiteral(QX_VERSION_STRING); }

}  // namespace qx
