#include "window_test_support.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>

#include "table/table_view.h"

namespace tavolix {

void sendMouse(Form1& window, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held) {
  QWidget* viewport = window.view().viewport();
  QMouseEvent event(type, QPointF(local), QPointF(viewport->mapToGlobal(local)), button, held, Qt::NoModifier);
  QApplication::sendEvent(viewport, &event);
}

void sendMouseAt(Form1& window, QEvent::Type type, QPointF twips, Qt::MouseButton button,
                 Qt::MouseButtons held) {
  sendMouse(window, type, window.view().mapFromScene(twips), button, held);
}

void clickAt(Form1& window, QPointF twips) {
  sendMouseAt(window, QEvent::MouseMove, twips, Qt::NoButton, Qt::NoButton);
  sendMouseAt(window, QEvent::MouseButtonPress, twips, Qt::LeftButton, Qt::LeftButton);
  sendMouseAt(window, QEvent::MouseButtonRelease, twips, Qt::LeftButton, Qt::NoButton);
}

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
