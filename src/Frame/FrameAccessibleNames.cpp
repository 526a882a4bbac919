#include "Frame/FrameAccessibleNames.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include "Frame/TFrameForm.h"

namespace plomix {
namespace {

QString ShortHint(QString hint) {
  const qsizetype end = hint.indexOf(QRegularExpression(QStringLiteral("[(（。]|を")));
  if (end > 0) hint.truncate(end);
  return hint;
}

// Gives the line edit of an editable box the box's name, also when the box becomes
// editable later (the start and stop boxes do, with the symbology) and gets a new one.
class LineEditNamer : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::ChildPolished) NameLineEdit(static_cast<QComboBox *>(watched));
    return false;
  }
  static void NameLineEdit(QComboBox *box) {
    if (QLineEdit *edit = box->lineEdit()) edit->setAccessibleName(box->accessibleName());
  }
};

}  // namespace

void SetFrameAccessibleNames(TFrameForm &f) {
  // Controls under a label take the label's text; the spinner's arrows share it.
  const struct {
    QWidget *control;
    const QLabel *label;
  } labelled[] = {
      {f.ComboBox1, f.Label1}, {f.ComboBox7, f.Label2}, {f.ComboBox8, f.Label3},
      {f.ComboBox2, f.Label4}, {f.Edit2, f.Label5},     {f.UpDown2, f.Label5},
      {f.Edit1, f.Label7},     {f.UpDown1, f.Label7},
      {f.Edit3, f.Label8},     {f.UpDown3, f.Label8},   {f.Edit9, f.Label9},
      {f.UpDown9, f.Label9},   {f.Edit10, f.Label10},   {f.UpDown10, f.Label10},
      {f.Edit4, f.Label11},    {f.UpDown4, f.Label11},  {f.Edit5, f.Label12},
      {f.UpDown5, f.Label12},  {f.Edit6, f.Label13},    {f.UpDown6, f.Label13},
      {f.ComboBox5, f.Label14}, {f.ComboBox6, f.Label15},
  };
  for (const auto &[control, label] : labelled) control->setAccessibleName(label->text());
  // The label also names its box through the "labelled by" relation, which is how the
  // Linux accessibility bridge names a drop-down box (its own name is its value).
  QLabel *const labels[] = {f.Label1, f.Label2, f.Label3, f.Label4,  f.Label5,  f.Label7,  f.Label8,
                            f.Label9, f.Label10, f.Label11, f.Label12, f.Label13, f.Label14, f.Label15};
  for (QLabel *label : labels)
    for (const auto &[control, byLabel] : labelled)
      if (byLabel == label && !label->buddy() && !qobject_cast<TUpDown *>(control)) label->setBuddy(control);

  // Controls without a label are named by their hint, cut before its verb or bracket:
  // "通常印刷の個数を指定します。" names the box "通常印刷の個数".
  QWidget *const hinted[] = {f.UpDown11, f.ComboBox3, f.ComboBox4, f.Edit7,
                             f.UpDown7,  f.Edit8,     f.UpDown8};
  for (QWidget *control : hinted) control->setAccessibleName(ShortHint(control->toolTip()));
  // On Linux a drop-down box's own name is its value (a blank one for the start and stop
  // boxes of most symbologies), so the two boxes without a label on screen get one that
  // only assistive technology sees.
  for (QComboBox *box : {f.ComboBox3, f.ComboBox4}) {
    auto *label = new QLabel(box->toolTip(), box->parentWidget());
    label->setObjectName(box->objectName() + QStringLiteral("Name"));
    label->setBuddy(box);
    label->hide();
  }

  // The panels that show a value keep it as their name and say what it is beside it.
  f.Panel4->setAccessibleDescription(f.Label6->text());
  f.Panel1->setAccessibleDescription(ShortHint(f.Panel1->toolTip()));
  f.Panel5->setAccessibleDescription(QStringLiteral("状態"));

  // An editable box takes the focus in its line edit, which announces the box's name.
  auto *namer = new LineEditNamer(&f);
  for (QComboBox *box : f.findChildren<QComboBox *>()) {
    LineEditNamer::NameLineEdit(box);
    box->installEventFilter(namer);
  }

  f.ScrollBox1->setAccessibleName(QStringLiteral("バーコード"));
  f.BarImage1->setAccessibleName(QStringLiteral("バーコード"));
  f.Memo1->setAccessibleName(QStringLiteral("Readme.txt"));
}

}  // namespace plomix
