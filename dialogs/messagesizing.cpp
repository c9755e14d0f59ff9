#include "messagesizing.h"

#include <algorithm>

QString measuringString(const QString& text)
{
    QString widest;
    const auto consider = [&](qsizetype from, qsizetype to) {
        if (to - from + 2 > widest.size())
            widest = text.mid(from, to - from) + QStringLiteral("  ");
    };
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        consider(lineStart, i);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;  // "\r\n" is one break
        lineStart = i + 1;
    }
    consider(lineStart, text.size());
    return widest;
}

MessageWidths messageWidths(int textWidth, int frameWidth)
{
    MessageWidths widths{textWidth, textWidth + kMessageClientExtra};
    const int excess = widths.client + frameWidth - kMessageMaxOuterWidth;
    if (excess > 0) {
        widths.label = std::max(0, widths.label - excess);
        widths.client -= excess;
    }
    return widths;
}
