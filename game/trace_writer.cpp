// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "trace_writer.h"

#include <cstdio>

#include "texts.h"

namespace tavolix {

namespace {

const char* boolean(bool value) { return value ? "true" : "false"; }

template <class Range>
std::string numbers(const Range& values) {
  std::string text = "[";
  for (auto v : values) {
    if (text.size() > 1) text += ',';
    text += std::to_string(v);
  }
  return text + "]";
}

std::string ends(const GameState& state) {
  return "[" + std::to_string(state.PontaA) + "," + std::to_string(state.PontaB) + "]";
}

const char* sideName(Lado side) {
  switch (side) {
    case Lado::A:
      return "A";
    case Lado::B:
      return "B";
    case Lado::First:
      return "";
  }
  return "";
}

}  // namespace

std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void TraceWriter::matchStarted(const Settings& s) {
  out_ << R"({"ev":"match","tipoJogo":)" << s.TipoJogo << R"(,"tipoRegra":)" << s.TipoRegra
       << R"(,"tipoInicio":)" << s.TipoInicio << R"(,"sentidoHorario":)"
       << boolean(s.SentidoHorario) << R"(,"pontosLimit":)" << s.PontosLimit
       << R"(,"fecharSoNoNatural":)" << boolean(s.FecharSoNoNatural) << "}\n";
}

void TraceWriter::dealt(const GameState& state) {
  out_ << R"({"ev":"deal","hands":[)";
  for (int seat = kJog; seat <= kMac3; ++seat) {
    out_ << (seat == kJog ? "[" : ",[");
    for (int slot = 1; slot <= kHandSlots; ++slot) {
      out_ << (slot == 1 ? "" : ",") << jsonString(state.hand(seat)[slot].text());
    }
    out_ << "]";
  }
  out_ << R"(],"ordem":)"
       << numbers(
              std::array<int, 4>{state.Ordem[1], state.Ordem[2], state.Ordem[3], state.Ordem[4]})
       << R"(,"quemInicia":)" << state.QuemInicia << "}\n";
}

void TraceWriter::redealt(int seat, int doubles) {
  out_ << R"({"ev":"redeal","seat":)" << seat << R"(,"buchas":)" << doubles << "}\n";
}

void TraceWriter::played(int seat, int slot, TileCode tile, Lado side, const GameState& state) {
  out_ << R"({"ev":"play","seat":)" << seat << R"(,"slot":)" << slot << R"(,"tile":)"
       << jsonString(tile.text()) << R"(,"side":")" << sideName(side) << R"(","ends":)"
       << ends(state) << "}\n";
}

void TraceWriter::passed(int seat, const GameState& state) {
  out_ << R"({"ev":"pass","seat":)" << seat << R"(,"ends":)" << ends(state) << "}\n";
}

void TraceWriter::handEnded(const HandResult& r, const GameState& state) {
  if (r.ending == HandResult::Ending::WentOut) {
    out_ << R"({"ev":"out","seat":)" << r.winner << R"(,"points":)" << r.points << R"(,"kind":)"
         << jsonString(render(texts::goingOutName(r.kind)));
  } else {
    out_ << R"({"ev":"blocked","totals":)" << numbers(r.totals) << R"(,"scorers":)"
         << numbers(r.scorers) << R"(,"points":)" << r.points;
  }
  out_ << R"(,"quemInicia":)" << state.QuemInicia << R"(,"scores":)" << numbers(state.Pontos)
       << "}\n";
}

void TraceWriter::matchEnded(int winner, const std::array<int, 4>& standings,
                             const GameState& state) {
  out_ << R"({"ev":"matchEnd","winner":)" << winner << R"(,"scores":)" << numbers(state.Pontos)
       << R"(,"standings":)" << numbers(standings) << "}\n";
}

}  // namespace tavolix
