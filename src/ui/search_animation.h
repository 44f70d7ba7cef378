// The find-in-folder animation of the search progress dialog: a magnifier
// circling over a folder of pages. It repeats until stopped and then rests
// on its stop frame.
#pragma once

#include <QTimer>
#include <QWidget>

namespace folverin {

class TSearchAnimation : public QWidget {
 public:
  static constexpr int kFrameCount = 30;
  static constexpr int kStopFrame = 29;

  explicit TSearchAnimation(QWidget* parent = nullptr);
  void Start();
  void Stop();
  bool IsActive() const { return timer_.isActive(); }
  QSize sizeHint() const override { return {272, 60}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QTimer timer_;
  int frame_ = kStopFrame;
};

}  // namespace folverin
