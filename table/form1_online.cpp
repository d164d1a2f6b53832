// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// The window online: a table hosted here or on a server, joined, played and left.
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/online_dialog.h"
#include "dialogs/table_style.h"
#include "form1.h"
#include "protocol/protocol.h"
#include "settings/json_file.h"
#include "settings/settings_config.h"

namespace tavolix {

TableGame& Form1::game() {
  if (online_) return online_->match();
  return *match_;
}

void Form1::playOnline() {
  sounds_.TocaWav(QStringLiteral("clic3.wav"));
  if (!mayLeaveOnline()) return;
  OnlineDialog dialog(settings_, store_, this);
  dialog.setHelp([this] { showHelp(); });
  if (dialog.exec() != QDialog::Accepted) {
    // From the first new game dialog: the table stays empty until New Game.
    return;
  }
  if (online_ && seatFile_ != nullptr) seatFile_->remove();
  goOnline(dialog.choice());
}

bool Form1::openLink(const QString& link) {
  QUrl url;
  QString code;
  if (!OnlineSession::readLink(link, url, code)) {
    warn(tr("Este link não leva a uma mesa do Tavolix:\n%1").arg(link));
    return false;
  }
  if (!mayLeaveOnline()) return false;
  if (online_ && seatFile_ != nullptr) seatFile_->remove();
  OnlineChoice choice;
  choice.kind = OnlineChoice::Kind::Join;
  choice.server = url;
  choice.code = code;
  choice.name = QString::fromStdString(settings_.Nomes[0]);
  if (choice.name.isEmpty()) choice.name = readText(store_, stored::kJog, QString());
  return goOnline(choice);
}

bool Form1::mayLeaveOnline() {
  if (!online_ || online_->match().over() || !online_->match().seated()) return true;
  QMessageBox ask(QMessageBox::Question, QStringLiteral("Tavolix"),
                  tr("Deixar a mesa online? Um computador jogará no seu lugar até o fim da "
                     "partida."),
                  QMessageBox::NoButton, this);
  QPushButton* leave = ask.addButton(tr("Deixar a mesa"), QMessageBox::AcceptRole);
  QPushButton* stay = ask.addButton(tr("Ficar"), QMessageBox::RejectRole);
  ask.setDefaultButton(stay);
  ask.setEscapeButton(stay);
  dressLikeTable(ask, this);
  ask.exec();
  return ask.clickedButton() == leave;
}

bool Form1::goOnline(const OnlineChoice& choice) {
  // Without the network, nothing here is touched.
  OnlineModule* network = onlineModule();
  if (network == nullptr) {
    warn(tr("O jogo online não está disponível: falta o módulo tavolix-online, ou ele não pôde "
            "ser carregado (procurado em %1).")
             .arg(onlineModuleFolders().join(QStringLiteral(", "))));
    return false;
  }
  // The match here is kept as it stands, to come back to after the table online.
  if (!online_ && match_->started() &&
      (match_->awaiting() == TableGame::Awaiting::Move ||
       match_->awaiting() == TableGame::Awaiting::PileTile)) {
    leftHere_ = match_->saved();
  }
  if (online_) {
    online_->leave();
    online_.release()->deleteLater();
  }
  QUrl url = choice.server;
  QString where = QStringLiteral("%1:%2").arg(url.host()).arg(url.port());
  if (choice.kind == OnlineChoice::Kind::HostHere) {
    if (hosted_ && hosted_->port() != choice.port) hosted_.reset();
    if (!hosted_) {
      HostOptions options;
      options.address = hostAddress_;
      options.port = choice.port;
      options.stateDir = dataPath(QStringLiteral("tables"));
      options.seed = random_.bits();
      QString error;
      hosted_ = network->host(options, error);
      if (!hosted_) {
        warn(tr("A mesa não pôde ser aberta neste computador:\n%1\n\nEscolha outra porta.")
                 .arg(error));
        return false;
      }
    }
    url = QUrl(QStringLiteral("ws://127.0.0.1:%1").arg(hosted_->port()));
    where = QStringLiteral("%1:%2").arg(network->addressHere()).arg(hosted_->port());
  }
  hostedSeat_ = choice.kind == OnlineChoice::Kind::HostHere;

  online_ = std::make_unique<OnlineSession>(presentation_, *network);
  OnlineSession& session = *online_;
  net::RemoteMatch& remote = session.match();
  remote.setInvitation(where);
  connect(&session, &OnlineSession::failed, this, [this](const QString& reason, bool refused) {
    // A seat the server no longer knows is not offered again.
    if (refused && seatFile_ != nullptr) seatFile_->remove();
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
          warn(reason);
          backToLocal();
        },
        Qt::QueuedConnection);
  });
  connect(&remote, &net::RemoteMatch::tableChanged, this, &Form1::showOnlineCommands);
  connect(&remote, &net::RemoteMatch::seatTaken, this, &Form1::keepSeat);
  connect(&remote, &net::RemoteMatch::matchOver, this, [this](bool won) {
    record_.addOnlineMatch(won);
    keepRecord();
    // Nothing left to come back to.
    if (seatFile_ != nullptr) seatFile_->remove();
    scene_->message(tr("A partida online terminou. 'Novo Jogo' volta ao jogo contra o computador; "
                       "'Jogar online' abre ou procura outra mesa."),
                    0);
  });
  connect(&remote, &net::RemoteMatch::closedElsewhere, this,
          [this] { scene_->message(tr("Este lugar foi retomado em outro computador."), 0); });
  connect(&remote, &net::RemoteMatch::broken, this, [this](const QString& problem) {
    scene_->message(tr("O servidor mandou uma mensagem que o jogo não entende (%1).").arg(problem),
                    0);
  });

  hand_->forgetChoice();
  scene_->hideCarriedTile();
  scene_->bindState(&remote.state());
  hand_->setGame(remote);
  scene_->showTurn(-1);
  scene_->showPassCommand(false);
  scene_->showPrompt(QString());  // the match here may have been asking for a tile
  scene_->clearTable();
  scene_->newHand();
  scene_->message(tr("Conectando a %1...").arg(url.toDisplayString()), 0);
  if (choice.kind == OnlineChoice::Kind::Join || !choice.token.isEmpty()) {
    session.join(url, choice.code, choice.name, choice.token);
  } else {
    session.create(url, net::createMessage(choice.rules, choice.name, -1, choice.computers,
                                           choice.level, net::kDefaultTurnSeconds, false));
  }
  return true;
}

void Form1::startOnlineMatch() {
  sounds_.TocaWav(QStringLiteral("clic3.wav"));
  if (online_) online_->match().startMatch();
}

void Form1::showOnlineCommands() {
  scene_->showStartCommand(online_ && online_->match().isHost() && online_->match().inLobby());
  scene_->setSeatNamesClickable(online_ && online_->match().choosesPartners());
}

void Form1::keepSeat() {
  if (seatFile_ == nullptr || !online_) return;
  OnlineSeat seat;
  seat.server = online_->url();
  seat.code = online_->match().code();
  seat.token = online_->match().token();
  seat.name = online_->name();
  seat.hostedHere = hostedSeat_;
  seat.port = hosted_ ? hosted_->port() : 0;
  seatFile_->write(seat);
}

bool Form1::offerRejoin() {
  if (seatFile_ == nullptr) return false;
  const OnlineSeatFile::Found found = seatFile_->read();
  if (found.refused()) {
    tellRefused(found, seatFile_->path(),
                tr("O lugar guardado numa mesa online não pôde ser lido: o arquivo dele %1 e foi "
                   "guardado como:\n%2"),
                tr("O lugar guardado numa mesa online não pôde ser lido: o arquivo dele %1 e não "
                   "pôde ser tirado do lugar:\n%2"));
    return false;
  }
  if (!found.seat) return false;
  const OnlineSeat& seat = *found.seat;
  QMessageBox ask(
      QMessageBox::Question, QStringLiteral("Tavolix"),
      tr("Você estava numa partida online (mesa %1 em %2). Deseja voltar a ela?")
          .arg(seat.code,
               seat.hostedHere
                   ? tr("este computador")
                   : QStringLiteral("%1:%2").arg(seat.server.host()).arg(seat.server.port())),
      QMessageBox::NoButton, this);
  QPushButton* back = ask.addButton(tr("Voltar à mesa"), QMessageBox::YesRole);
  ask.addButton(tr("Não"), QMessageBox::NoRole);
  ask.setDefaultButton(back);
  dressLikeTable(ask, this);
  ask.exec();
  if (ask.clickedButton() != back) {
    // The seat is let go here; at the table a computer player takes it when its turn comes.
    seatFile_->remove();
    return false;
  }
  OnlineChoice choice;
  choice.kind = seat.hostedHere ? OnlineChoice::Kind::HostHere : OnlineChoice::Kind::Join;
  choice.server = seat.server;
  choice.port = seat.port;
  choice.code = seat.code;
  choice.token = seat.token;
  choice.name = seat.name;
  return goOnline(choice);
}

void Form1::backToLocal() {
  if (online_) {
    online_->leave();
    online_.release()->deleteLater();
  }
  scene_->showStartCommand(false);
  scene_->setSeatNamesClickable(false);
  scene_->hideCarriedTile();
  hand_->forgetChoice();
  match_ = std::make_unique<Match>(settings_, presentation_, random_);
  match_->setKeeper(&keeping_);
  scene_->bindState(&match_->state());
  hand_->setGame(*match_);
  scene_->showTurn(-1);
  scene_->hideMessage();
  scene_->clearTable();
  scene_->newHand();
  scene_->showSeatNames(settings_.Nomes);
  const std::optional<SavedMatch> left = std::exchange(leftHere_, std::nullopt);
  if (left && match_->restore(*left)) return;
  // A match kept from an earlier run (the game was started at a table online) is offered.
  if (resumeSavedMatch()) return;
  match_->start(false);
}

}  // namespace tavolix
