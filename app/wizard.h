#pragma once
// FrmTs "操作向导": the modeless wizard window that shows one operating tip,
// with "以后不再显示本向导" (do not show this tip again) and "关　闭".

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;

namespace tavro::app {

class FrmTs : public QDialog {
 public:
  explicit FrmTs(QWidget* parent = nullptr);

  // Xsxd: shows tip number with text, without blocking the caller; the box starts cleared.
  void Xsxd(int number, const QString& text);
  // Called once when the window closes (button or close box): the tip number and the box's state.
  std::function<void(int tip, bool hideTip)> onClosed;
  // Closes the window without calling onClosed (the program is ending).
  void dismiss();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape closes the window the same way as "关　闭".
  void reject() override;

 private:
  QLabel* LblTs_;
  QLabel* LblTsxh_;
  QCheckBox* ChkTsbxs_;
  bool dismissing_ = false;
};

}  // namespace tavro::app
