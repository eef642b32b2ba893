// What the main window shows while the scheduling run goes on: the grid's
// headers, the progress of the chain class by class (through the Ui port), and
// the first hint before anything is imported.

#include "adjust/viewmodel/mainwindow.h"
#include "core/procedures.h"

namespace tavro {

void MainWindowModel::showGridHeaders() {
  Pdbbz();
  writeHeaders();
}

void MainWindowModel::schedulingClass(int nj, int bj) {
  const School& s = c_.s;
  const int total = s.Bjzs, n = s.Ypbjs + 1;
  QString name = s.isClass(nj, bj) ? s.Bjmc(nj, bj) : QString();
  name.remove(QChar(0x3000));
  c_.ui.status(QStringLiteral("正在编排课表……\n") + name + QStringLiteral("（第") + QString::number(n) +
               QStringLiteral("个，共") + QString::number(total) + QStringLiteral("个班）"));
  c_.ui.progress(total > 0 ? (n - 1) * 100 / total : 0);
  if (keepWindowAlive) keepWindowAlive();
}

void MainWindowModel::schedulingStopped() {
  c_.ui.status(QString());
  c_.ui.progress(0);
}

void MainWindowModel::showStartHint() {
  if (!c_.st.TxtSm.isEmpty()) return;
  c_.st.TxtSm = QStringLiteral(
      "　　请先按“1、学校”。数据文件夹中还没有数据表时，系统生成学校、教师、课程、合班、班级五个数据表，"
      "请逐一填好、保存后再按“1、学校”导入；五个表都导入后，系统自动开始排课。");
}

}  // namespace tavro
