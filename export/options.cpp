#include "export/options.h"

namespace tavro {

ExportForm::ExportForm() : Dysz({Range{0, kProfiles - 1}, Range{0, kOptions - 1}}) {
  FraXzjsfs.visible = false;
  FraRqfw.visible = false;
  RichTextBox.visible = false;
  LstBjCtl.enabled = false;
  LstKcCtl.enabled = false;
  LstXqCtl.enabled = false;
  LstJcCtl.enabled = false;
}

int HXmkb(const ExportForm& f) {
  return f.Xiangmu != 0 ? f.Xiangmu + 10 : f.Kbzl;
}

QString mpzsText(int row) {
  const int n = row + 1;
  return n < 10 ? QStringLiteral(" ") + QString::number(n) : QString::number(n);
}

int perBand(const ExportForm& f) {
  return f.CmbMpzs >= 0 && f.CmbMpzs <= 9 ? f.CmbMpzs + 1 : 1;
}

}  // namespace tavro
