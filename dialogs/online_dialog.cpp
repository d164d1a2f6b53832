// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "online_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "frm_regra.h"
#include "settings/conversions.h"
#include "settings/settings_config.h"
#include "settings/stored_values.h"
#include "table_style.h"
#include "window_parts.h"

namespace tavolix {

namespace {

constexpr quint16 kDefaultPort = 47474;
// The code's alphabet has no look-alikes; what a player types is checked by the server too.
constexpr int kCodeLength = 8;

QString cleanedCode(const QString& text) {
  QString code;
  for (const QChar c : text) {
    if (c.isLetterOrNumber()) code += c.toUpper();
  }
  return code.size() == kCodeLength ? code : QString();
}

}  // namespace

QUrl OnlineDialog::serverUrl(const QString& typed, QString* code) {
  QString text = typed.trimmed();
  if (text.isEmpty()) return {};
  if (!text.contains(QLatin1String("://"))) text.prepend(QLatin1String("ws://"));
  const QUrl parsed(text, QUrl::StrictMode);
  const QString scheme = parsed.scheme();
  if (!parsed.isValid() || parsed.host().isEmpty() ||
      (scheme != QLatin1String("ws") && scheme != QLatin1String("wss") &&
       scheme != QLatin1String("tavolix"))) {
    return {};
  }
  QUrl url;
  url.setScheme(scheme == QLatin1String("wss") ? scheme : QStringLiteral("ws"));
  url.setHost(parsed.host());
  url.setPort(parsed.port(kDefaultPort));
  if (scheme == QLatin1String("tavolix") && code != nullptr) {
    const QString path = parsed.path().mid(1);
    *code = cleanedCode(path);
  }
  return url;
}

OnlineDialog::OnlineDialog(Settings& settings, SettingsStore& store, QWidget* parent)
    : QDialog(parent), settings_(settings), store_(store) {
  setWindowTitle(tr("Tavolix - Jogar online"));
  setModal(true);
  setMinimumWidth(
      qRound(460 * dressLikeTable(*this, parent, DialogDesign::Layouts, QSize(460, 455))));
  auto* outer = new QVBoxLayout(this);
  auto* layout = new QVBoxLayout(scrollingPage(*this, *outer));
  layout->setContentsMargins(0, 0, 0, 0);

  auto* who = new QFormLayout;
  name = new QLineEdit(nameInLanguage(plainName(readText(store, stored::kJog, QString()))), this);
  name->setMaxLength(12);
  who->addRow(tr("Seu &nome:"), name);
  layout->addLayout(who);

  tabs = new QTabWidget(this);
  layout->addWidget(tabs);

  // Hosting.
  auto* host = new QWidget(tabs);
  auto* hostLayout = new QVBoxLayout(host);
  auto* where = new QGroupBox(tr("Onde fica a mesa"), host);
  auto* whereLayout = new QFormLayout(where);
  here = new QRadioButton(tr("Neste &computador, na porta:"), where);
  port = new QSpinBox(where);
  port->setRange(1024, 65535);
  bool portRead = false;
  const int keptPort = readText(store, stored::kOnlinePort, QString()).toInt(&portRead);
  port->setValue(portRead && keptPort >= 1024 && keptPort <= 65535 ? keptPort : kDefaultPort);
  whereLayout->addRow(here, port);
  onServer = new QRadioButton(tr("Num &servidor:"), where);
  hostServer = new QLineEdit(readText(store, stored::kOnlineServer, QString()), where);
  hostServer->setPlaceholderText(tr("endereço:porta"));
  whereLayout->addRow(onServer, hostServer);
  here->setChecked(true);
  hostLayout->addWidget(where);

  auto* game = new QGroupBox(tr("A partida"), host);
  auto* gameLayout = new QFormLayout(game);
  kind = new QComboBox(game);
  kind->addItem(tr("Individual"));
  kind->addItem(tr("Duplas"));
  kind->setCurrentIndex(settings.pairs() ? 1 : 0);
  gameLayout->addRow(tr("&Tipo de jogo:"), kind);
  rulesSummary_ = new QLabel(game);
  rulesSummary_->setWordWrap(true);
  gameLayout->addRow(tr("Regras:"), rulesSummary_);
  auto* change = new QPushButton(tr("&Regras..."), game);
  auto* changeRow = new QHBoxLayout;
  changeRow->addStretch(1);
  changeRow->addWidget(change);
  gameLayout->addRow(changeRow);
  static const char* const kSeats[] = {nullptr, QT_TR_NOOP("o lugar à sua esquerda"),
                                       QT_TR_NOOP("o lugar à sua frente"),
                                       QT_TR_NOOP("o lugar à sua direita")};
  auto* seats = new QVBoxLayout;
  for (int seat = 1; seat <= 3; ++seat) {
    computer[seat] = new QCheckBox(tr(kSeats[seat]), game);
    seats->addWidget(computer[seat]);
  }
  gameLayout->addRow(tr("Computador joga:"), seats);
  level = new QComboBox(game);
  level->addItem(tr("Normal"));
  level->addItem(tr("Forte"));
  level->addItem(tr("Mestre"));
  level->setCurrentIndex(static_cast<int>(settings.opponents));
  gameLayout->addRow(tr("&Nível do computador:"), level);
  hostLayout->addWidget(game);
  tabs->addTab(host, tr("&Abrir uma mesa"));

  // Joining.
  auto* join = new QWidget(tabs);
  auto* joinLayout = new QFormLayout(join);
  joinServer = new QLineEdit(readText(store, stored::kOnlineServer, QString()), join);
  joinServer->setPlaceholderText(tr("endereço:porta, ou o link tavolix://..."));
  joinLayout->addRow(tr("Ser&vidor:"), joinServer);
  code = new QLineEdit(join);
  code->setPlaceholderText(tr("8 letras e números"));
  code->setMaxLength(20);
  joinLayout->addRow(tr("C&ódigo da mesa:"), code);
  auto* note = new QLabel(tr("Quem abriu a mesa vê o endereço e o código na mesa dele."), join);
  note->setWordWrap(true);
  joinLayout->addRow(note);
  tabs->addTab(join, tr("&Entrar numa mesa"));
  // A link pasted as the server fills in the code too.
  connect(joinServer, &QLineEdit::textChanged, this, [this](const QString& text) {
    QString linked;
    if (!serverUrl(text, &linked).isEmpty() && !linked.isEmpty()) code->setText(linked);
  });

  problem = new QLabel(this);
  problem->setWordWrap(true);
  problem->setStyleSheet(QStringLiteral("color: #ff9a8a"));
  problem->hide();
  layout->addWidget(problem);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("&Jogar"));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Cancelar"));
  buttons->button(QDialogButtonBox::Help)->setText(tr("A&juda"));
  outer->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &OnlineDialog::confirm);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
    if (help_) help_();
  });
  connect(change, &QPushButton::clicked, this, [this] {
    FrmRegra dialog(settings_, store_, this);
    if (help_) dialog.setHelp(help_);
    dialog.exec();
    kind->setCurrentIndex(settings_.pairs() ? 1 : 0);
    showRules();
  });
  connect(kind, &QComboBox::currentIndexChanged, this, [this] { showRules(); });
  connect(onServer, &QRadioButton::toggled, hostServer, &QWidget::setEnabled);
  connect(here, &QRadioButton::toggled, port, &QWidget::setEnabled);
  hostServer->setEnabled(false);
  showRules();
}

void OnlineDialog::showRules() {
  const bool pipRule = settings_.TipoRegra == 2;
  rulesSummary_->setText(
      (pipRule ? tr("pontos pelas pedras, até %1") : tr("batidas, até %1 pontos"))
          .arg(settings_.PontosLimit) +
      (settings_.SentidoHorario ? tr(", sentido horário") : tr(", sentido anti-horário")));
}

void OnlineDialog::confirm() {
  const auto refuse = [this](const QString& text) {
    problem->setText(text);
    problem->show();
  };
  OnlineChoice c;
  c.name = plainName(name->text());
  if (c.name.isEmpty()) c.name = defaultPlayerName();
  if (tabs->currentIndex() == 0) {
    c.kind = here->isChecked() ? OnlineChoice::Kind::HostHere : OnlineChoice::Kind::HostOnServer;
    c.port = static_cast<quint16>(port->value());
    if (c.kind == OnlineChoice::Kind::HostOnServer) {
      c.server = serverUrl(hostServer->text());
      if (c.server.isEmpty())
        return refuse(tr("Escreva o endereço do servidor, como mesa.exemplo.org:47474."));
    }
    c.rules = settings_;
    c.rules.TipoJogo = kind->currentIndex() == 1 ? 2 : 1;
    for (int seat = 1; seat <= 3; ++seat) c.computers[seat] = computer[seat]->isChecked();
    c.level = static_cast<ComputerLevel>(std::clamp(level->currentIndex(), 0, 2));
  } else {
    c.kind = OnlineChoice::Kind::Join;
    QString linked;
    c.server = serverUrl(joinServer->text(), &linked);
    if (c.server.isEmpty())
      return refuse(tr("Escreva o endereço do servidor, como mesa.exemplo.org:47474."));
    c.code = cleanedCode(code->text());
    if (c.code.isEmpty()) c.code = linked;
    if (c.code.isEmpty())
      return refuse(tr("O código da mesa tem 8 letras e números, como N3XP-G97X."));
  }
  // What was chosen is offered again next time.
  writeText(store_, stored::kJog, c.name);
  settings_.Nomes[0] = c.name.toStdString();
  if (c.kind == OnlineChoice::Kind::HostHere) {
    writeText(store_, stored::kOnlinePort, QString::number(c.port));
  } else {
    writeText(store_, stored::kOnlineServer,
              QStringLiteral("%1:%2").arg(c.server.host()).arg(c.server.port()));
  }
  if (c.kind != OnlineChoice::Kind::Join) {
    settings_.TipoJogo = c.rules.TipoJogo;
    writeRules(store_, settings_);
  }
  choice_ = c;
  accept();
}

}  // namespace tavolix
