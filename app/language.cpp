#include "app/language.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTranslator>

namespace {

Language::Choice chosen = Language::Choice::Japanese;

QTranslator &englishTranslator()
{
    static QTranslator *translator = new QTranslator(QCoreApplication::instance());
    return *translator;
}

QSettings userSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Curvix"), QStringLiteral("Curvix Digitizer"));
}

} // namespace

void Language::apply(Choice choice)
{
    if (choice == chosen)
        return;
    chosen = choice;
    QTranslator &english = englishTranslator();
    if (choice == Choice::English) {
        if (english.isEmpty() && !english.load(QStringLiteral(":/i18n/curvix_en.qm")))
            qWarning("the English translations are missing from this build");
        QCoreApplication::installTranslator(&english);
    } else {
        QCoreApplication::removeTranslator(&english);
    }
}

Language::Choice Language::current()
{
    return chosen;
}

Language::Choice Language::fromName(const QString &name)
{
    return name == QStringLiteral("en") ? Choice::English : Choice::Japanese;
}

Language::Choice Language::remembered()
{
    return fromName(userSettings().value(QStringLiteral("language")).toString());
}

void Language::remember(Choice choice)
{
    userSettings().setValue(QStringLiteral("language"), choice == Choice::English ? QStringLiteral("en") : QStringLiteral("ja"));
}
