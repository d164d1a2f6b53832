#include "window_test_support.h"

#include <QFile>

namespace tavolix {

void writeSilentWav(const QString& path) {
  const quint32 samples = 800;
  QByteArray data;
  const auto put32 = [&](quint32 v) { for (int i = 0; i < 4; ++i) data.append(static_cast<char>((v >> (8 * i)) & 0xff)); };
  const auto put16 = [&](quint16 v) { for (int i = 0; i < 2; ++i) data.append(static_cast<char>((v >> (8 * i)) & 0xff)); };
  data.append("RIFF");
  put32(36 + samples * 2);
  data.append("WAVEfmt ");
  put32(16);
  put16(1);      // PCM
  put16(1);      // mono
  put32(22050);  // samples a second
  put32(44100);  // bytes a second
  put16(2);
  put16(16);
  data.append("data");
  put32(samples * 2);
  data.append(QByteArray(samples * 2, '\0'));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(data);
}

}  // namespace tavolix
