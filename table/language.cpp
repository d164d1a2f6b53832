// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "language.h"

#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tavolix {

namespace {

Language current = Language::Portuguese;
std::unique_ptr<QTranslator> gameTranslation;
std::unique_ptr<QTranslator> qtTranslation;

// Loads `file` from `folder` into a new translator installed in the
// application; none when there is no such file.
std::unique_ptr<QTranslator> install(const QString& file, const QString& folder) {
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(file, folder)) return nullptr;
  QCoreApplication::installTranslator(translator.get());
  return translator;
}

}  // namespace

bool languageFromCode(const QString& code, Language& language) {
  if (code == QLatin1String("pt")) {
    language = Language::Portuguese;
    return true;
  }
  if (code == QLatin1String("en")) {
    language = Language::English;
    return true;
  }
  return false;
}

QString languageCode(Language language) {
  return language == Language::English ? QStringLiteral("en") : QStringLiteral("pt");
}

Language chooseLanguage(const QString& asked, const QString& stored, const QStringList& desktop) {
  Language language = Language::Portuguese;
  if (languageFromCode(asked, language) || languageFromCode(stored, language)) return language;
  const QString first = desktop.value(0).toLower();
  const bool portuguese = first == QLatin1String("pt") || first.startsWith(QLatin1String("pt-")) ||
                          first.startsWith(QLatin1String("pt_"));
  return portuguese ? Language::Portuguese : Language::English;
}

void useLanguage(Language language) {
  current = language;
  for (auto* translator : {gameTranslation.get(), qtTranslation.get()}) {
    if (translator != nullptr) QCoreApplication::removeTranslator(translator);
  }
  // The game's texts are Portuguese already; English comes from its translation.
  gameTranslation = language == Language::English
                        ? install(QStringLiteral("tavolix_en"), QStringLiteral(":/i18n"))
                        : nullptr;
  qtTranslation = install(
      language == Language::English ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_pt_BR"),
      QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Language currentLanguage() { return current; }

Translator qtTranslator() {
  return [](const std::string& source) {
    return QCoreApplication::translate(texts::kContext, source.c_str()).toStdString();
  };
}

QString translated(const Text& text) {
  return QString::fromStdString(render(text, qtTranslator()));
}

}  // namespace tavolix
