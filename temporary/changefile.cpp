// Writing and reading the records of "调课.txt", and removing records from it.

#include "temporary/changefile.h"

#include <QDir>
#include <algorithm>

#include "core/history_action.h"
#include "core/history_captions.h"
#include "core/procedures.h"
#include "core/textfile.h"
#include "core/texts.h"
#include "core/vbtext.h"
#include "temporary/changefile_store.h"

namespace tavro {

namespace {

const QString kWrittenLabel = QStringLiteral("安排日期：");
const QString kStartLabel = QStringLiteral("改课开始日期：");
const QString kEndLabel = QStringLiteral("改课结束日期：");
const QString kCountLabel = QStringLiteral("改课节数：");
const QString kTeacherOf = QStringLiteral("老师的");
// A record's fixed lines after the class name: three labels with dates, the count label and count.
constexpr int kFixedLines = 8;
// More changed lessons than this in one record cannot be a record of this program.
constexpr int kMaxLessons = 1000;

// Teacher t's stored name, "" outside the table.
QString teacherName(const School& s, int t) {
  return s.Jsmc.has(t) ? s.Jsmc(t) : QString();
}

QString courseName(const School& s, int k) {
  return s.Kcmc.has(k) ? s.Kcmc(k) : QString();
}

// "(" + teacher code + ")" + name padded with "　" + "老师的" + "(" + course code + ")" + course name.
QString lessonText(const School& s, int teacher, int course, int width) {
  QString name = teacherName(s, teacher);
  while (name.size() < width) name += QStringLiteral("　");
  return u'(' + Lbq(3, teacher) + u')' + name + kTeacherOf + u'(' + Lbq(3, course) + u')' +
         courseName(s, course);
}

// The two lines of one changed lesson at (xq, jc) from (t, k) to (t2, k2).
QStringList changedLessonLines(const School& s, int xq, int jc, int t, int k, int t2, int k2) {
  const int width = storedNameWidth(s);
  const QString first = QStringLiteral("星期") + Lbq(2, xq) + u'第' + Lbq(2, jc) + u'节' +
                        lessonText(s, t, k, width) + QStringLiteral("临时改为：");
  return {first, lessonText(s, t2, k2, width)};
}

// A class-name line whose first character is a numeral lost the "　" the name is stored with.
QString storedClassName(const QString& line) {
  if (line.isEmpty()) return line;
  const QString first = line.left(1);
  bool numeral = first == QStringLiteral("十");
  for (int d = 0; d <= 9 && !numeral; ++d) numeral = first == Hzsz(d);
  return numeral ? QStringLiteral("　") + line : line;
}

// The course K' of a second changed-lesson line: after "老师的(" (so names padded to any width
// read back), else at the fixed position after a name of Jsmcd characters.
int newCourseOf(const QString& line) {
  const int at = line.indexOf(kTeacherOf + u'(', 5);
  if (at >= 0) return ValMid(line, at + kTeacherOf.size() + 1, 3);
  return 0;
}

LessonChange lessonOf(const QString& first, const QString& second) {
  LessonChange l;
  l.xq = ValMid(first, 2, 2);
  l.jc = ValMid(first, 5, 2);
  l.teacher = ValMid(first, 9, 3);
  const int at = first.indexOf(kTeacherOf + u'(', 12);
  l.course = at >= 0 ? ValMid(first, at + kTeacherOf.size() + 1, 3) : 0;
  l.newTeacher = ValMid(second, 1, 3);
  l.newCourse = newCourseOf(second);
  return l;
}

// The lesson count line: a whole number, blanks around it allowed; -1 when unreadable.
int lessonCount(const QString& line) {
  bool ok = false;
  const int n = line.trimmed().toInt(&ok);
  return ok && n >= 0 && n <= kMaxLessons ? n : -1;
}

// What reading one record found: a whole record, the end of the lines (nothing more, or a record
// cut short), a class-name line starting with "'" (records out of step), an unreadable lesson count.
enum class Step { Record, End, Broken, Unreadable };

// Reads the record starting at line i into r; advances i past it.
Step readRecord(const QStringList& lines, int& i, ChangeRecord& r) {
  const int n = static_cast<int>(lines.size());
  r.firstLine = i;
  if (i < n && lines[i].isEmpty()) ++i;  // a blank line before the header
  if (i + 2 > n) return Step::End;
  ++i;  // header
  const QString name = lines[i++];
  if (name.startsWith(u'\'')) return Step::Broken;
  r.className = storedClassName(name);
  if (i + kFixedLines > n) return Step::End;
  r.written = lines[i + 1];
  r.start = lines[i + 3];
  r.end = lines[i + 5];
  const int count = lessonCount(lines[i + 7]);
  if (count < 0) return Step::Unreadable;
  i += kFixedLines;
  if (i + 2 * count > n) return Step::End;
  for (int k = 0; k < count; ++k, i += 2) {
    r.lessons.append(lessonOf(lines[i], lines[i + 1]));
    r.lessonLines << lines[i] << lines[i + 1];
  }
  r.lineCount = i - r.firstLine;
  return Step::Record;
}

}  // namespace

QString changeFilePath(const School& s) {
  return s.Wjj + kChangeFileName;
}

QDate Jtrq(const RunState& st) {
  return st.fixedToday.isValid() ? st.fixedToday : QDate::currentDate();
}

int storedNameWidth(const School& s) {
  int width = s.Jsmcd;
  for (int t = 0; t <= s.Jss; ++t) width = std::max(width, static_cast<int>(teacherName(s, t).size()));
  return width;
}

ChangeFile parseChangeLines(const QStringList& lines) {
  ChangeFile file;
  int i = 0;
  for (int number = 1; i < lines.size(); ++number) {
    ChangeRecord r;
    r.number = number;
    const Step step = readRecord(lines, i, r);
    if (step == Step::Broken) file.broken = number;
    if (step == Step::Unreadable) file.unreadable = number;
    if (step != Step::Record) break;
    file.records.append(r);
    file.wholeLines = i;
  }
  return file;
}

ChangeFile parseChangeBytes(const QByteArray& bytes) {
  return parseChangeLines(appendedTextLines(bytes));
}

QList<QByteArray> rawLines(const QByteArray& bytes) {
  QList<QByteArray> lines;
  qsizetype from = 0;
  while (from < bytes.size()) {
    qsizetype end = bytes.indexOf('\n', from);
    end = end < 0 ? bytes.size() : end + 1;
    lines.append(bytes.mid(from, end - from));
    from = end;
  }
  return lines;
}

int stoppingRecordEnd(const QStringList& lines, const ChangeFile& file) {
  const int n = static_cast<int>(lines.size());
  int header = file.wholeLines;
  if (header < n && lines[header].isEmpty()) ++header;
  int end = header + 1;
  while (end < n && !lines[end].startsWith(u'\'')) ++end;
  if (end < n && end > header + 1 && lines[end - 1].isEmpty()) --end;  // the next record's blank line
  return std::min(end, n);
}

ChangeFile readChangeFile(const QString& path) {
  const auto bytes = readFileBytes(path);
  return bytes ? parseChangeBytes(*bytes) : ChangeFile{};
}

QStringList changeRecordLines(const Ctx& c, int nj, int bj) {
  const School& s = c.s;
  const RunState& st = c.st;
  const bool swap = st.Zt == QStringLiteral("调课");
  QStringList lines{kChangeHeader, s.Bjmc.has(nj, bj) ? s.Bjmc(nj, bj) : QString(),
                    kWrittenLabel, Rqwb(Jtrq(st)),
                    kStartLabel,   st.Lsksrq,
                    kEndLabel,     st.Lsjsrq,
                    kCountLabel,   printNumber(swap ? 2 : 1)};
  lines << changedLessonLines(s, st.Xq1, st.Jc1, st.Jsh1, st.Kch1, st.Jsh2, st.Kch2);
  if (swap) lines << changedLessonLines(s, st.Xq2, st.Jc2, st.Jsh2, st.Kch2, st.Jsh1, st.Kch1);
  return lines;
}

void BcLsgk(Ctx& c, int nj, int bj) {
  const QString path = changeFilePath(c.s);
  keepBeforeSave(c.st, path, true);
  const QString copy = appendChangeRecord(path, changeRecordLines(c, nj, bj));
  if (!copy.isEmpty())
    Tsxx(c.ui,
         QStringLiteral("　　“") + QDir::toNativeSeparators(path) +
             QStringLiteral("”的末尾有一个不完整的临时调课记录（可能是保存时断电、程序中断或磁盘已满），"
                            "它从来没有起作用。新的记录已接在完整的记录后面，原来的文件已另存为“") +
             QDir::toNativeSeparators(copy) + QStringLiteral("”。"));
}

int removeChangeRecords(Ctx& c, const QList<int>& numbers) {
  const QString path = changeFilePath(c.s);
  const std::optional<QByteArray> bytes = readFileBytes(path);
  if (!bytes) return 0;
  const QStringList text = splitLines(decodeText(*bytes));
  const ChangeFile parsed = parseChangeBytes(*bytes);
  const QList<QByteArray> lines = rawLines(*bytes);
  QVector<bool> drop(lines.size(), false);
  const auto dropLines = [&](int from, int to) {
    for (int i = from; i < to && i < drop.size(); ++i) drop[i] = true;
  };
  int removed = 0;
  QStringList listed;
  for (const ChangeRecord& r : parsed.records) {
    if (!numbers.contains(r.number)) continue;
    ++removed;
    listed << QString::number(r.number);
    dropLines(r.firstLine, r.firstLine + r.lineCount);
  }
  if (parsed.stoppingRecord() > 0 && numbers.contains(parsed.stoppingRecord())) {
    ++removed;
    listed << QString::number(parsed.stoppingRecord());
    dropLines(parsed.wholeLines, stoppingRecordEnd(text, parsed));
  }
  if (removed == 0) return 0;
  QByteArray kept;
  if (bytes->startsWith("\xEF\xBB\xBF") && drop.value(0)) kept = "\xEF\xBB\xBF";
  for (int i = 0; i < lines.size(); ++i)
    if (!drop[i]) kept += lines[i];
  HistoryActionScope action(
      c.st, HistoryAction{QStringLiteral("删临"), QString(),
                          QStringLiteral("删除临时调课记录 第") + listed.join(u'、') + u'个'});
  keepBeforeSave(c.st, path);
  rewriteChangeFile(path, kept);
  Dklsgkwj(c);
  return removed;
}

QString changeRecordSummary(const ChangeRecord& r) {
  QString text = QStringLiteral("第") + QString::number(r.number) + QStringLiteral("个：") +
                 r.className.trimmed() + QStringLiteral("　") + r.start + QStringLiteral("至") + r.end;
  for (int i = 0; i + 1 < r.lessonLines.size(); i += 2) {
    QString lesson = r.lessonLines[i] + r.lessonLines[i + 1];
    while (lesson.contains(QStringLiteral("　老师")))
      lesson.replace(QStringLiteral("　老师"), QStringLiteral("老师"));
    text += QStringLiteral("　") + lesson;
  }
  return text;
}

QString stoppingRecordSummary(int n) {
  return QStringLiteral("第") + QString::number(n) +
         QStringLiteral("个：格式错误的记录（它和它后面的记录都不起作用，删除它后后面的记录才起作用）");
}

}  // namespace tavro
