// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#include "online_seat_file.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include "json_fields.h"

namespace tavolix {

namespace {

constexpr char kSeatFormat[] = "tavolix-online-seat";
// A code as the server writes it: eight characters of its alphabet.
constexpr char kSeatCodeAlphabet[] = "ACDEFGHJKMNPQRTUVWXY34679";

QString seatField(const char* k) { return QLatin1String(k); }

bool isCode(const QString& code) {
  if (code.size() != 8) return false;
  for (const QChar c : code) {
    if (c.unicode() > 127 ||
        std::string_view(kSeatCodeAlphabet).find(char(c.unicode())) == std::string_view::npos)
      return false;
  }
  return true;
}

}  // namespace

QByteArray seatToJson(const OnlineSeat& seat) {
  const QJsonObject document{
      {seatField("format"), seatField(kSeatFormat)},
      {seatField("version"), kOnlineSeatFileVersion},
      {seatField("server"), seat.server.toString()},
      {seatField("code"), seat.code},
      {seatField("token"), QString::fromLatin1(seat.token.toHex())},
      {seatField("name"), seat.name},
      {seatField("hostedHere"), seat.hostedHere},
      {seatField("port"), seat.port},
  };
  return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

std::variant<OnlineSeat, QString> seatFromJson(const QByteArray& json) {
  QJsonParseError error;
  const QJsonDocument parsed = QJsonDocument::fromJson(json, &error);
  if (!parsed.isObject())
    return QStringLiteral("it is not a JSON object (%1)").arg(error.errorString());
  const QJsonObject document = parsed.object();
  if (document.value(seatField("format")).toString() != seatField(kSeatFormat))
    return QStringLiteral("it is not a seat online");
  const QJsonValue version = document.value(seatField("version"));
  if (version != QJsonValue(kOnlineSeatFileVersion))
    return QStringLiteral("it is of another version (%1)").arg(version.toVariant().toString());
  JsonFields in;
  OnlineSeat seat;
  seat.server = QUrl(in.field(document, "server").toString(), QUrl::StrictMode);
  const QString scheme = seat.server.scheme();
  if (!seat.server.isValid() || seat.server.host().isEmpty() ||
      (scheme != seatField("ws") && scheme != seatField("wss")))
    in.fail(QStringLiteral("\"server\" is not a server's address"));
  seat.code = in.field(document, "code").toString();
  if (!isCode(seat.code)) in.fail(QStringLiteral("\"code\" is no table's code"));
  const QString token = in.field(document, "token").toString();
  seat.token = QByteArray::fromHex(token.toLatin1());
  if (seat.token.size() != 16 || QString::fromLatin1(seat.token.toHex()) != token.toLower())
    in.fail(QStringLiteral("\"token\" is not 32 hexadecimal digits"));
  seat.name = in.field(document, "name").toString().left(24);
  seat.hostedHere = in.boolean(document, "hostedHere");
  seat.port = static_cast<quint16>(in.number(document, "port", 0, 65535));
  if (!in.ok()) return in.problem;
  return seat;
}

QString OnlineSeatFile::defaultPath() { return dataPath(QStringLiteral("online-seat.json")); }

bool OnlineSeatFile::write(const OnlineSeat& seat) {
  if (!file_.write(seatToJson(seat))) return false;
  // The token takes the seat: nobody else on this computer may read it.
  QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  return true;
}

}  // namespace tavolix
