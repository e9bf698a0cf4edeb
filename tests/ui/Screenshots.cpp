// Takes the README's screenshots of the workbench: the empty window, the
// member dialog, the code preview, and the window after a run. Run by
// tools/screenshots.sh under Xvfb; not a test.
//   ui_screenshots OUTPUT_DIR
#include "UiTestSupport.h"

#include "ModelBuilder.h"
#include "codegen/run/Preview.h"

#include "ui/dialogs/AddMemberForm.h"
#include "ui/dialogs/PreviewForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <cstdio>

namespace {

void Save(QWidget& widget, const QString& path)
{
    widget.show();
    widget.raise();
    QTest::qWait(300);
    if (!widget.grab().save(path))
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ui_screenshots OUTPUT_DIR\n");
        return 2;
    }
    QString out = QString::fromLocal8Bit(argv[1]);
    TTempModel model;
    TWindowUnderTest t;
    TFormMain& w = *t.window;
    w.SetRunLocations({ JAVAGEN_TEMPLATES, (model.Dir() / "out").string() });
    Save(w, out + "/empty-window.png");

    int library = BuildLibraryModel("图书馆");
    (void)library;
    w.Lists().ReloadProjects();
    Find<QListWidget>(w, "LB_Object")->setCurrentRow(1); // Book
    w.Lists().ReloadMembers(w.Lists().SelectedClassId());

    TAddMemberForm member(FormContext(w.Workbench(), [] {}));
    member.Edt_MemberName->setText("publisher");
    member.Edt_MemberLength->setText("40");
    member.FlagBox("CB_QueryFlag")->setChecked(true);
    member.Edt_MemberComment->setText("出版社");
    Save(member, out + "/member-dialog.png");
    member.hide();

    t.OnDialog([&](QDialog& dialog) {
        if (auto* preview = qobject_cast<TPreviewForm*>(&dialog)) {
            preview->Tabs->setCurrentIndex(2);
            Save(*preview, out + "/preview.png");
        }
    });
    Find<QAction>(w, "Act_Preview")->trigger();

    Find<QAction>(w, "Act_Generate")->trigger();
    for (int i = 0; i < 600 && !Find<QAction>(w, "Act_Generate")->isEnabled(); ++i)
        QTest::qWait(50);
    Save(w, out + "/screenshot.png");
    return 0;
}
