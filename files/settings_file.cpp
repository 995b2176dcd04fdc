#include "files/settings_file.h"

#include "files/atomic_file.h"

#include <QFile>

namespace {

// Far larger than four corner values can need; a bigger file is not ours.
constexpr qint64 MaxSettingsBytes = 16 * 1024 * 1024;

QString fieldOfLine(const QString &line)
{
    QString field = line;
    while (!field.isEmpty() && (field.front() == u' ' || field.front() == u'\t'))
        field.remove(0, 1);
    while (!field.isEmpty() && (field.back() == u' ' || field.back() == u'\t'))
        field.chop(1);
    if (field.size() >= 2 && field.front() == u'"' && field.back() == u'"')
        field = field.mid(1, field.size() - 2);
    return field;
}

} // namespace

CornerTexts defaultCornerTexts()
{
    return {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("100")};
}

CornerTexts parseSettings(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    CornerTexts fields;
    int found = 0;
    qsizetype start = 0;
    while (found < 4 && start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        fields[size_t(found++)] = fieldOfLine(text.mid(start, end - start));
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return found == 4 ? fields : defaultCornerTexts();
}

CornerTexts readSettingsFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxSettingsBytes)
        return defaultCornerTexts();
    const QByteArray bytes = file.read(MaxSettingsBytes);
    if (file.error() != QFileDevice::NoError)
        return defaultCornerTexts();
    return parseSettings(bytes);
}

QByteArray settingsBytes(const CornerTexts &texts)
{
    QByteArray bytes;
    for (const QString &text : texts)
        bytes += text.toUtf8() + "\r\n";
    return bytes;
}

std::optional<QString> writeSettingsFile(const QString &path, const CornerTexts &texts)
{
    return writeFileAtomically(path, settingsBytes(texts));
}
