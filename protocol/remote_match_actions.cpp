// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
// A match on a table server: what the player does, sent to the server, and
// what the server refuses, told in the player's words.
#include <algorithm>
#include <cstdlib>

#include "game/table_geometry.h"
#include "game/tempo.h"
#include "game/texts.h"
#include "remote_match.h"

namespace tavolix::net {

// --- refusals ----------------------------------------------------------------

void RemoteMatch::onError(const ServerError& error) {
  // The rules' own words where the game has them, else the server's refusal in the player's.
  Text text = shown(error.error ? errorMessage(*error.error) : error.text);
  if (error.error == Error::WrongEnd || error.error == Error::NoSuchTile)
    text = texts::illegalMove();
  if (error.error == Error::OnlyNatural) text = texts::closeOnlyNatural();
  if (error.error == Error::WrongOpening) text = texts::wrongOpeningTile(kDoubleSix);
  if (pendingSlot_ > 0 && error.error == Error::OnlyNatural && pendingSide_ != Lado::First) {
    // As at a table played here: told why, the tile goes to the other end.
    screen_.messageBox(texts::closeOnlyNatural());
    pendingSide_ = pendingSide_ == Lado::A ? Lado::B : Lado::A;
    send_(playMessage(state_.PedrasJog[pendingSlot_], pendingSide_));
    return;
  }
  if (pendingSlot_ > 0) {
    // The tile sent goes back to the hand, and the player reads why.
    const int slot = std::exchange(pendingSlot_, 0);
    screen_.returnToHand(
        slot, error.error == Error::WrongOpening ? TileReturn::WrongOpening : TileReturn::Refused);
    state_.JogBloqueado = false;
    awaiting_ = Awaiting::Move;
    screen_.message(text, 0);
    return;
  }
  if (!seated()) {
    Q_EMIT refused(QString::fromStdString(text.source));
    return;
  }
  screen_.message(text, tempo::kWrongTileMessageMs * 2);
}

QString RemoteMatch::errorMessage(Error error) {
  switch (error) {
    case Error::BadMessage:
    case Error::TooLarge:
    case Error::WrongVersion:
    case Error::UnknownType:
      return tr("O servidor não entendeu esta versão do jogo.");
    case Error::RateLimited:
      return tr("Mensagens demais em pouco tempo: espere um instante.");
    case Error::TooManyTables:
      return tr("O servidor não aceita mais mesas agora. Tente mais tarde ou use outro servidor.");
    case Error::NoSuchTable:
      return tr("Nenhuma mesa tem esse código. Confira o código com quem abriu a mesa.");
    case Error::TooManyTries:
      return tr("Códigos errados demais: espere um minuto antes de tentar de novo.");
    case Error::WrongToken:
      return tr("O seu lugar nessa mesa não existe mais.");
    case Error::SeatTaken:
      return tr("Esse lugar já é de outro jogador.");
    case Error::TableFull:
      return tr("A mesa está completa.");
    case Error::NotSeated:
      return tr("Você não está sentado a essa mesa.");
    case Error::NotHost:
      return tr("Só quem abriu a mesa pode começar a partida.");
    case Error::AlreadyStarted:
      return tr("A partida dessa mesa já começou.");
    case Error::NotStarted:
      return tr("A partida não está em andamento.");
    case Error::NotYourTurn:
      return tr("Não é a sua vez.");
    case Error::NoSuchTile:
    case Error::WrongEnd:
      return tr("Essa pedra não serve nessa ponta.");
    case Error::WrongOpening:
      return tr("Você deve abrir a mão com o 6:6.");
    case Error::OnlyNatural:
      return tr("Você só pode fechar o jogo no natural.");
    case Error::MustPlay:
      return tr("Uma pedra da sua mão serve numa ponta: jogue-a em vez de passar.");
    case Error::PileTaken:
      return tr("Essa pedra já foi pega.");
  }
  return {};
}

// --- the player's actions ------------------------------------------------------

void RemoteMatch::startMatch() {
  if (isHost() && inLobby()) send_(message("start"));
}

void RemoteMatch::choosePartner(int localSeat) {
  if (!choosesPartners() || !isSeat(localSeat) || localSeat == kJog) return;
  const int chosen = serverSeatOf(localSeat);
  const int partnerSeat = partnerOf(joined_.seat);
  if (chosen != partnerSeat) send_(swapMessage(chosen, partnerSeat));
}

void RemoteMatch::leave() {
  if (seated()) send_(message("leave"));
  awaiting_ = Awaiting::Nothing;
}

void RemoteMatch::connectionLost() {
  awaiting_ = Awaiting::Nothing;
  clock_.stop();
  if (pendingSlot_ > 0) {
    screen_.returnToHand(std::exchange(pendingSlot_, 0), TileReturn::Quiet);
    state_.JogBloqueado = false;
  }
  screen_.enablePile(false);
  screen_.showPassCommand(false);
  passShown_ = false;
  viewed_ = false;
  say(tr("A conexão com o servidor caiu. Tentando de novo…"), 0);
}

void RemoteMatch::takePileTile(int position) {
  if (busy_ || awaiting_ != Awaiting::PileTile || position < 1 || position > kTileCount ||
      state_.pileTaken(position))
    return;
  awaiting_ = Awaiting::Nothing;
  screen_.enablePile(false);
  send_(takeMessage(position));
}

bool RemoteMatch::takesDrop(int slot) const {
  return !busy_ && awaiting_ == Awaiting::Move && !state_.JogBloqueado && slot >= 1 &&
         slot <= kHandSlots && !state_.PedrasJog[slot].empty();
}

void RemoteMatch::drop(int slot, double top, double left, bool reordered, std::optional<Lado> end) {
  if (slot < 1 || slot > kHandSlots || state_.PedrasJog[slot].empty()) return;
  if (!takesDrop(slot)) {
    if (!busy_) screen_.returnToHand(slot, TileReturn::Quiet);
    return;
  }
  const TileCode t = state_.PedrasJog[slot];
  // Let go below the table: back to the hand, as at a table played here.
  if (top > geometry::kAreaBottom) {
    screen_.returnToHand(slot, TileReturn::Refused);
    if (!reordered) screen_.message(texts::dragToTheTable(), 0);
    return;
  }
  Lado side = Lado::First;
  if (state_.QtdMesa > 0) {
    const bool fitsA = t.holds(state_.PontaA);
    const bool fitsB = t.holds(state_.PontaB);
    if (end) {
      side = *end;
    } else if (fitsA && fitsB) {
      // The end nearer the drop point takes it.
      const ChainGeometry& g = chain_.geometry();
      const auto distance = [&](int endTop, int endLeft) {
        return std::max(std::abs(geometry::wholeTwips(top - endTop)),
                        std::abs(geometry::wholeTwips(left - endLeft)));
      };
      side = distance(g.TopoA, g.EsqA) > distance(g.TopoB, g.EsqB) ? Lado::B : Lado::A;
    } else {
      side = fitsB ? Lado::B : Lado::A;
    }
  }
  awaiting_ = Awaiting::Nothing;
  state_.JogBloqueado = true;
  pendingSlot_ = slot;
  pendingSide_ = side;
  screen_.hideMessage();
  send_(playMessage(t, side));
}

bool RemoteMatch::flipTile(int slot) {
  if (busy_ || awaiting_ != Awaiting::Move || state_.JogBloqueado) return false;
  if (slot < 1 || slot > kHandSlots || state_.PedrasJog[slot].empty()) return false;
  state_.PedrasJog[slot] = state_.PedrasJog[slot].reversed();
  return true;
}

bool RemoteMatch::moveTileInHand(int from, int to) {
  if (busy_ || awaiting_ != Awaiting::Move || state_.JogBloqueado) return false;
  return moveAlongHand(state_.PedrasJog, from, to);
}

void RemoteMatch::passTurn() {
  if (!passShown_ || awaiting_ != Awaiting::Move || state_.JogBloqueado) return;
  awaiting_ = Awaiting::Nothing;
  passShown_ = false;
  screen_.showPassCommand(false);
  screen_.hideMessage();
  send_(message("pass"));
}

}  // namespace tavolix::net
