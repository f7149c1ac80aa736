// main.cpp — quarnix-cli: the engine's command-line front end.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "common/version.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 2 && (args[1] == QLatin1String("--version") || args[1] == QLatin1String("version"))) {
        std::printf("Quarnix ФУРНИТУРА %s\n", qx::GetExeVersion().toUtf8().constData());
        return 0;
    }
    std::fprintf(stderr, "Использование: quarnix-cli --version\n");
    return 2;
}
