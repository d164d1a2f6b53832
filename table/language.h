// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <QString>
#include <QStringList>

#include "game/texts.h"

namespace tavolix {

// The game speaks Portuguese, its own language, or English. Every text is
// written in Portuguese and translated through Qt's translation system; Qt's
// own texts (the buttons of a message box) follow.
enum class Language { Portuguese, English };

// "pt" and "en"; any other code is no language.
bool languageFromCode(const QString& code, Language& language);
QString languageCode(Language language);

// The language a run speaks: the one asked for on the command line, else the
// one the player chose and stored, else the desktop's (`desktop` as
// QLocale::uiLanguages gives it): Portuguese for any Portuguese, English for
// anything else. A code that is no language counts as none.
Language chooseLanguage(const QString& asked, const QString& stored, const QStringList& desktop);

// Speaks `language` from now on: the game's translation and Qt's own (where
// installed) replace those in use, and every window is told to retranslate.
void useLanguage(Language language);
Language currentLanguage();

// A game text in the language in use, and the translator that does it.
Translator qtTranslator();
QString translated(const Text& text);

}  // namespace tavolix
