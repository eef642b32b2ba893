// Cell texts of the detailed timetable window: class cells (empty, 空课, spread course names,
// activity names, teacher-less lessons, combined-lesson teachers), teacher cells (free, blocked,
// lessons, combined lessons) and the condensed subject list of the teacher caption.

#include "detail/celltexts.h"

#include <gtest/gtest.h>

#include "core/procedures.h"
#include "detail/teachertexts.h"
#include "tests/detail/detail_support.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {
namespace {

const QString kBrowseClass = QStringLiteral("查班");
const QString kBrowseTeacher = QStringLiteral("查师");

QString blanks(int n) {
  return QString(n, QChar(0x3000));
}

QString classText(const School& s, int xq, int jc, int nj = 7, int bj = 1, const QString& zt = kBrowseClass) {
  return CellTexts(s, kLongTerm, zt).HBbyjknr(xq, jc, nj, bj).text();
}

QString teacherText(const School& s, int xq, int jc, int t) {
  return CellTexts(s, kLongTerm, kBrowseTeacher).HSbyjknr(xq, jc, t).text();
}

TEST(DetailClassCells, EmptyAndPlainLessons) {
  School s = detailSchool();
  ASSERT_EQ(HGkd(s), 3);
  EXPECT_EQ(classText(s, 1, 1), blanks(5));
  s.Kb(kLongTerm, 1, 2, 7, 1) = classCell(0, 0);
  s.Kb(kLongTerm, 1, 3, 7, 1) = classCell(0, 2);  // 空课 with a teacher is still empty
  EXPECT_EQ(classText(s, 1, 2), blanks(5));
  EXPECT_EQ(classText(s, 1, 3), blanks(5));
  putLesson(s, 7, 1, 1, 4, 1, 1);
  const CellBlocks lesson = CellTexts(s, kLongTerm, kBrowseClass).HBbyjknr(1, 4, 7, 1);
  EXPECT_EQ(lesson.first, QStringLiteral("语　文"));
  EXPECT_EQ(lesson.second, QStringLiteral("张　三"));
  putLesson(s, 7, 1, 1, 5, 2, 0);  // no teacher: an empty, padded teacher block
  EXPECT_EQ(classText(s, 1, 5), QStringLiteral("数　学") + blanks(3));
  // The layer chosen is the one read.
  s.Kb(kTemporary, 1, 4, 7, 1) = classCell(3, 2);
  EXPECT_EQ(CellTexts(s, kTemporary, kBrowseClass).HBbyjknr(1, 4, 7, 1).text(),
            QStringLiteral("英　语李四光"));
}

TEST(DetailClassCells, ActivityNamesOnlyInWideBlocks) {
  School s = detailSchool();
  s.Kcmc(3) = QStringLiteral("体活");
  putLesson(s, 7, 1, 2, 1, 3, 2);
  EXPECT_EQ(classText(s, 2, 1), QStringLiteral("体　活李四光"));
  s.Jsmcd = 4;  // Gkd 4
  EXPECT_EQ(classText(s, 2, 1), QStringLiteral("体育活动李四光　"));
  const char16_t* heads[] = {u"娱活", u"科活", u"课活"};
  const char16_t* full[] = {u"文娱活动", u"科技活动", u"课外活动"};
  for (int i = 0; i < 3; ++i) {
    s.Kcmc(3) = QString::fromUtf16(heads[i]);
    EXPECT_EQ(classText(s, 2, 1), QString::fromUtf16(full[i]) + QStringLiteral("李四光　"));
  }
  putLesson(s, 7, 1, 2, 2, 1, 1);  // a 2-character name is spread, then padded to 4
  EXPECT_EQ(classText(s, 2, 2), QStringLiteral("语　文　张　三　"));
}

TEST(DetailClassCells, CombinedLessonTeachers) {
  School s = detailSchool();
  const int all = fixtures::addCombinedLesson(s, "8", "07010702", "0101", 3, "001002003004");
  const int head = fixtures::addCombinedLesson(s, "5", "0000", "0102", 3, "班主任");
  const int none = fixtures::addCombinedLesson(s, "6", "0000", "0103", 3, "000");
  const int two = fixtures::addCombinedLesson(s, "8", "07010702", "0104", 3, "001002");
  const int three = fixtures::addCombinedLesson(s, "8", "07010702", "0105", 3, "001002003");
  s.Kb(kLongTerm, 1, 1, 7, 1) = classCell(3, all, u'8');
  s.Kb(kLongTerm, 1, 2, 7, 1) = classCell(3, head, u'5');
  s.Kb(kLongTerm, 1, 2, 7, 2) = classCell(3, head, u'5');
  s.Kb(kLongTerm, 1, 3, 7, 1) = classCell(3, none, u'6');
  s.Kb(kLongTerm, 1, 4, 7, 1) = classCell(3, two, u'8');
  s.Kb(kLongTerm, 1, 5, 7, 1) = classCell(3, three, u'8');
  EXPECT_EQ(classText(s, 1, 1), QStringLiteral("英　语全部教师"));
  EXPECT_EQ(classText(s, 1, 2), QStringLiteral("英　语张　三"));
  EXPECT_EQ(classText(s, 1, 2, 7, 2), QStringLiteral("英　语") + blanks(3));  // class without head
  EXPECT_EQ(classText(s, 1, 3), QStringLiteral("英　语") + blanks(3));
  EXPECT_EQ(classText(s, 1, 4), QStringLiteral("英　语张＆李"));  // one character each, "＆" fits
  EXPECT_EQ(classText(s, 1, 5), QStringLiteral("英　语张李王"));  // no room for "＆"
}

TEST(DetailClassCells, TeacherNamesFittedToTheBlock) {
  School s = detailSchool();
  auto names = [&s](int gkd, const QString& codes, const QString& zt = kBrowseTeacher) {
    s.Kcmcd = gkd;
    s.Jsmcd = std::min(gkd, 3);
    return CellTexts(s, kLongTerm, zt).HJsmjh(codes);
  };
  EXPECT_EQ(names(7, "001002"), QStringLiteral("张　三＆李四光"));
  EXPECT_EQ(names(6, "001002"), QStringLiteral("张　三李四光"));
  EXPECT_EQ(names(5, "001002"), QStringLiteral("张三＆四光"));
  EXPECT_EQ(names(4, "001002"), QStringLiteral("张三四光"));
  // More teachers than characters: the count; "人" when the count is shorter than the block.
  EXPECT_EQ(names(2, "001002003"), QStringLiteral("３人"));
  EXPECT_EQ(names(2, QString("001").repeated(12)), QStringLiteral("１２"));
  EXPECT_EQ(names(2, QString("001").repeated(12), kBrowseClass), QStringLiteral("１２人"));
  EXPECT_EQ(names(3, ""), QString());
}

TEST(DetailTeacherCells, FreeAndBlockedPeriods) {
  School s = detailSchool();
  EXPECT_EQ(teacherText(s, 1, 1, 1), blanks(6));
  EXPECT_EQ(teacherText(s, 1, 1, 0), QString());
  const QStringList codes{"1", "2", "6", "7", "8", "3", "4", "5", "9"};
  const QStringList marks{"╳", "●", "会　议", "教　研", "备　课", "●", "●", "●", "●"};
  for (int i = 0; i < codes.size(); ++i) {
    s.Jskb(kLongTerm, 2, 1, 2) = codes[i];
    EXPECT_EQ(teacherText(s, 2, 1, 2), marks[i].leftJustified(3, QChar(0x3000)) + blanks(3)) << i;
  }
  s.Jsmcd = 2;  // Gkd 2: the two characters stand together
  s.Jskb(kLongTerm, 2, 1, 2) = "6";
  EXPECT_EQ(teacherText(s, 2, 1, 2), QStringLiteral("会议　　"));
}

TEST(DetailTeacherCells, LessonsAndClassNames) {
  School s = detailSchool();
  putLesson(s, 7, 1, 1, 1, 1, 1);
  EXPECT_EQ(teacherText(s, 1, 1, 1), QStringLiteral("语　文初一1班"));
  s.Bjmc(8, 1) = QStringLiteral("　二1班");
  putLesson(s, 8, 1, 1, 2, 2, 2);
  EXPECT_EQ(teacherText(s, 1, 2, 2), QStringLiteral("数　学二1班"));
  s.Bjmc(8, 2) = QStringLiteral("小二2班");
  putLesson(s, 8, 2, 1, 3, 2, 2);
  EXPECT_EQ(teacherText(s, 1, 3, 2), QStringLiteral("数　学小二2班"));
  s.Xxlx = 7;
  EXPECT_EQ(teacherText(s, 1, 3, 2), QStringLiteral("数　学二2班"));
  // Class-meeting courses keep only their two characters.
  s.Kcmc(3) = QStringLiteral("班会课");
  s.Kcmcd = 3;
  putLesson(s, 7, 2, 1, 4, 3, 4);
  EXPECT_EQ(teacherText(s, 1, 4, 4), QStringLiteral("班会　初一2班"));
  s.Kcmc(3) = QStringLiteral("校班会");
  EXPECT_EQ(teacherText(s, 1, 4, 4), QStringLiteral("校班会初一2班"));
}

TEST(DetailTeacherCells, CombinedLessonClassBlocks) {
  School s = detailSchool();
  const int school = fixtures::addCombinedLesson(s, "6", "0000", "0101", 3, "001");
  const int heads = fixtures::addCombinedLesson(s, "5", "0000", "0102", 3, "班主任");
  const int grade = fixtures::addCombinedLesson(s, "7", "07010702", "0103", 3, "001");
  const int gradeHeads = fixtures::addCombinedLesson(s, "7", "07010702", "0104", 3, "班主任");
  const int one = fixtures::addCombinedLesson(s, "8", "0702", "0105", 3, "001");
  const int many = fixtures::addCombinedLesson(s, "8", "07010702", "0106", 3, "001");
  s.Hbbj(grade) = QStringLiteral("0700");
  const int lessons[] = {school, heads, grade, gradeHeads, one, many};
  for (int j = 1; j <= 6; ++j)
    s.Jskb(kLongTerm, 1, j, 1) = QStringLiteral("0039") + Lbq(3, lessons[j - 1]) + "000";
  s.Jskb(kLongTerm, 1, 2, 2) = s.Jskb(kLongTerm, 1, 2, 1);
  const QString course = QStringLiteral("英　语");
  EXPECT_EQ(teacherText(s, 1, 1, 1), course + QStringLiteral("全校统"));
  EXPECT_EQ(teacherText(s, 1, 2, 1), course + QStringLiteral("初一1班"));
  EXPECT_EQ(teacherText(s, 1, 2, 2), course + blanks(3));  // not a head teacher
  EXPECT_EQ(teacherText(s, 1, 3, 1), course + QStringLiteral("年级统"));
  EXPECT_EQ(teacherText(s, 1, 4, 1), course + QStringLiteral("初一1班"));
  EXPECT_EQ(teacherText(s, 1, 5, 1), course + QStringLiteral("初一2班"));
  EXPECT_EQ(teacherText(s, 1, 6, 1), course + QStringLiteral("多班统"));
  s.Hbbj(grade).clear();  // a grade lesson without grades
  EXPECT_EQ(teacherText(s, 1, 3, 1), course + blanks(3));
}

TEST(DetailCaption, SubjectListCondensed) {
  School s = detailSchool();
  s.Kcjc(1) = QStringLiteral("语文");
  s.Kcjccd = 2;
  QString list = QStringLiteral("语文初二语文初一");
  Clrkqk(s, list, true);
  EXPECT_EQ(list, QStringLiteral("语文初一初二"));
  s.Jsrk(1) = QStringLiteral("0010800107");
  EXPECT_EQ(teacherCaption(s, 1), QStringLiteral("001张　三 语文初一初二"));
  // Long full names give way to short names when they do not fit the grid's width.
  s.Kcmc(3) = QStringLiteral("思想品德");
  s.Kcjc(3) = QStringLiteral("思品");
  s.Kcmcd = 4;
  s.Jsrk(2) = QStringLiteral("0030700308");
  EXPECT_EQ(teacherCaption(s, 2), QStringLiteral("002李四光 思想品德初一初二"));
  s.Mtjs = 2;
  EXPECT_EQ(teacherCaption(s, 2), QStringLiteral("002李四光 思品初一初二"));
  // One-character short names make 3-character items.
  School one = detailSchool();
  one.Jsrk(1) = QStringLiteral("00207001070010800208");
  EXPECT_EQ(teacherCaption(one, 1), QStringLiteral("001张　三 数学初一初二语文初一初二"));
  QString primary = QStringLiteral("语小一");
  one.Xxlx = 7;
  Clrkqk(one, primary, false);
  EXPECT_EQ(primary, QStringLiteral("语一"));
}

TEST(DetailCaption, CombinedLessonLines) {
  School s = detailSchool();
  const int classes = fixtures::addCombinedLesson(s, "8", "07010702", "01050106", 3, "003");
  const int heads = fixtures::addCombinedLesson(s, "5", "0000", "0203", 3, "班主任");
  const int school = fixtures::addCombinedLesson(s, "6", "0000", "0204", 3, "003");
  const int grade = fixtures::addCombinedLesson(s, "7", "07010702", "0301", 3, "003");
  s.Hbbj(grade) = QStringLiteral("0700");
  auto put = [&s](int xq, int jc, int n) { s.Jskb(kLongTerm, xq, jc, 3) = "0039" + Lbq(3, n) + "000"; };
  put(3, 1, grade);
  put(1, 5, classes);
  put(1, 6, classes);
  put(2, 3, heads);
  put(2, 4, school);
  s.Jskb(kTemporary, 4, 1, 3) = "0039" + Lbq(3, classes) + "000";  // the temporary layer is not read
  EXPECT_EQ(combinedLessonLines(s, 3), QStringList({QStringLiteral("周一第05、06节　初一1班初一2班"),
                                                    QStringLiteral("周三第01节　初一")}));
  EXPECT_TRUE(combinedLessonLines(s, 1).isEmpty());
}

}  // namespace
}  // namespace tavro::testing
