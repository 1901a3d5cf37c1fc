#include "app/HeadlessMessages.h"

#include <QRegularExpression>

QString HeadlessMessages::line(const ShownMessage& message) {
    static const QRegularExpression lineBreaks(QStringLiteral("[\\r\\n]+"));
    QString text = message.text;
    text.replace(lineBreaks, QStringLiteral(" "));
    return message.caption + QStringLiteral(": ") + text;
}

bool HeadlessMessages::present(const ShownMessage& message) {
    std::fprintf(out_, "%s\n", qUtf8Printable(line(message)));
    std::fflush(out_);
    return true;
}
