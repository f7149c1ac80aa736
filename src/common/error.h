// error.h — the one exception type of the system: carries the exact Russian message text.
#pragma once
#include <QString>
#include <exception>
#include <string>

namespace qx {

// Errors inside a computation carry the system's own message text; the command that
// started the computation catches it and shows it.
class TqxfError : public std::exception {
public:
    explicit TqxfError(QString message) : Message(std::move(message)), utf8_(Message.toStdString()) {}
    const char* what() const noexcept override { return utf8_.c_str(); }
    const QString& message() const noexcept { return Message; }

    QString Message;

private:
    std::string utf8_;
};

}  // namespace qx
