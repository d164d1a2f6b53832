// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tavolix developers
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace tavolix {

// Answers the modal dialogs a test's game opens, in the order the test
// expects them. A dialog nobody expected fails the test and is closed, so a
// test never waits for a person. With TAVOLIX_SHOTS set to a folder, every
// dialog answered is saved there as a picture first.
class DialogDriver : public QObject {
 public:
  DialogDriver() {
    timer_.setInterval(2);
    connect(&timer_, &QTimer::timeout, this, &DialogDriver::look);
    timer_.start();
  }
  ~DialogDriver() override {
    if (!queue_.empty()) ADD_FAILURE() << queue_.size() << " expected dialog(s) never came";
  }

  // The next modal dialog must be a `Dialog`; `answer` closes it somehow.
  template <class Dialog>
  void expect(std::function<void(Dialog&)> answer, QString shot = {}) {
    queue_.push_back({[](QWidget* w) { return qobject_cast<Dialog*>(w) != nullptr; },
                      [answer = std::move(answer), shot](QWidget* w) {
                        keep(*w, shot);
                        answer(*qobject_cast<Dialog*>(w));
                      }});
  }
  bool done() const { return queue_.empty(); }

  // Every `Dialog` that comes when none is expected gets this answer.
  template <class Dialog>
  void always(std::function<void(Dialog&)> answer) {
    standing_.push_back(
        {[](QWidget* w) { return qobject_cast<Dialog*>(w) != nullptr; },
         [answer = std::move(answer)](QWidget* w) { answer(*qobject_cast<Dialog*>(w)); }});
  }

  // With TAVOLIX_SHOTS set, a picture of `w` kept there as `name`.
  static void keep(QWidget& w, const QString& name) {
    const QString folder = qEnvironmentVariable("TAVOLIX_SHOTS");
    if (!folder.isEmpty() && !name.isEmpty()) w.grab().save(QDir(folder).filePath(name));
  }

 private:
  void look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == answered_ || !modal->isVisible()) return;
    // A dialog whose answer opened another comes back when that one closes:
    // its answer is still going on.
    if (std::find(answering_.begin(), answering_.end(), modal) != answering_.end()) return;
    answered_ = modal;
    // The dialog expected next, else a standing answer, else a failure.
    if (queue_.empty() || !queue_.front().matches(modal)) {
      for (const Expectation& standing : standing_) {
        if (standing.matches(modal)) {
          answerLater(standing.answer, modal);
          return;
        }
      }
    }
    if (queue_.empty() || !queue_.front().matches(modal)) {
      ADD_FAILURE() << "unexpected dialog: " << modal->metaObject()->className() << " "
                    << modal->windowTitle().toStdString();
      QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
      return;
    }
    // Taken off the queue first: answering may open the next dialog at once.
    const Expectation next = std::move(queue_.front());
    queue_.pop_front();
    answerLater(next.answer, modal);
  }

  // An answer may open another dialog and wait in it; it runs outside this
  // timer's handler, so that the timer goes on ticking meanwhile.
  void answerLater(const std::function<void(QWidget*)>& answer, QWidget* modal) {
    QPointer<QWidget> dialog(modal);
    QTimer::singleShot(0, this, [this, answer, dialog] {
      if (dialog == nullptr || !dialog->isVisible()) return;
      answering_.push_back(dialog);
      answer(dialog);
      answering_.pop_back();
    });
  }

  struct Expectation {
    std::function<bool(QWidget*)> matches;
    std::function<void(QWidget*)> answer;
  };

  QTimer timer_;
  QPointer<QWidget> answered_;
  std::vector<QPointer<QWidget>> answering_;  // answers under way, the innermost last
  std::deque<Expectation> queue_;
  std::vector<Expectation> standing_;
};

}  // namespace tavolix
