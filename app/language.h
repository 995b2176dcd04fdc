#pragma once

#include <QString>

// The interface's language: Japanese, the window's own texts (the default),
// or English through the translations built into the program. The choice is
// kept in the user's own settings, never in the settings file of the corner
// values.
namespace Language {

enum class Choice { Japanese, English };

// Installs the English translations, or removes them; every window gets a
// LanguageChange event and retranslates itself.
void apply(Choice choice);
Choice current();
inline bool isEnglish() { return current() == Choice::English; }

// "en" or "ja".
Choice fromName(const QString &name);
Choice remembered();
void remember(Choice choice);

} // namespace Language
