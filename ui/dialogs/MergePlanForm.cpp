#include "ui/dialogs/MergePlanForm.h"

#include "ui/dialogs/ScreenFit.h"

#include "ui/dialogs/UiText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

QString MergeActionText(TMergeAction action)
{
    switch (action) {
    case TMergeAction::New:
        return Text("新建");
    case TMergeAction::Replace:
        return Text("替换(未经手工修改)");
    case TMergeAction::Unchanged:
        return Text("未改动");
    case TMergeAction::Keep:
        return Text("保留手工修改");
    case TMergeAction::Merge:
        return Text("合并");
    case TMergeAction::Conflict:
        return Text("冲突");
    case TMergeAction::Beside:
        return Text("保留，新代码另存为 .new");
    case TMergeAction::Obsolete:
        return Text("过时");
    case TMergeAction::Unresolved:
        return Text("仍有未解决的冲突，不合并");
    case TMergeAction::Refused:
        return Text("不安全(符号链接或不是普通文件)，跳过");
    }
    return QString();
}

TMergePlanForm::TMergePlanForm(QWidget* owner, const TMergeSummary& plan, const std::string& heading)
    : QDialog(owner)
{
    setObjectName("MergePlanForm");
    setWindowTitle(Text("合并生成预览"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    if (!heading.empty()) {
        Lbl_Heading = new QLabel(Text(heading), this);
        Lbl_Heading->setObjectName("Lbl_Heading");
        Lbl_Heading->setWordWrap(true);
        Lbl_Heading->setStyleSheet("font-weight: bold");
        layout->addWidget(Lbl_Heading);
    }
    auto* intro = new QLabel(Text("合并生成将对每个文件做如下处理（手工修改会保留，冲突处会加上标记）："), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    LB_Plan = new QTreeWidget(this);
    LB_Plan->setObjectName("LB_Plan");
    LB_Plan->setColumnCount(3);
    LB_Plan->setHeaderLabels({ Text("处理"), Text("文件"), Text("说明") });
    LB_Plan->setRootIsDecorated(false);
    LB_Plan->setUniformRowHeights(true);
    LB_Plan->header()->setStretchLastSection(true);
    // What needs the user comes first (conflicts, unresolved, set beside
    // as .new, skipped), then the other files that change, unchanged last.
    auto rank = [](TMergeAction action) {
        switch (action) {
        case TMergeAction::Conflict:
        case TMergeAction::Unresolved:
        case TMergeAction::Beside:
        case TMergeAction::Refused:
            return 0;
        default:
            return 1;
        }
    };
    auto row = [](const TMergeEntry& entry) {
        return new QTreeWidgetItem({ MergeActionText(entry.action), Text(entry.displayPath), Text(entry.why) });
    };
    for (int group : { 0, 1 })
        for (const auto& entry : plan.entries)
            if (entry.action != TMergeAction::Unchanged && rank(entry.action) == group)
                LB_Plan->addTopLevelItem(row(entry));
    for (const auto& entry : plan.entries)
        if (entry.action == TMergeAction::Unchanged)
            unchanged_.push_back(entry);
    if (!unchanged_.empty()) {
        LB_Plan->setRootIsDecorated(true);
        auto* group = new QTreeWidgetItem({ MergeActionText(TMergeAction::Unchanged),
            Text("%1 个文件（展开查看）").arg(unchanged_.size()), QString() });
        group->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        LB_Plan->addTopLevelItem(group);
        connect(LB_Plan, &QTreeWidget::itemExpanded, this, [this, group, row](QTreeWidgetItem* item) {
            if (item != group || group->childCount() > 0)
                return;
            QList<QTreeWidgetItem*> rows;
            for (const auto& entry : unchanged_)
                rows << row(entry);
            group->addChildren(rows);
        });
    }
    // The action column as wide as its longest text, the path next to it:
    // a long reason never pushes the path out of sight.
    LB_Plan->resizeColumnToContents(0);
    LB_Plan->setColumnWidth(1, 460);
    layout->addWidget(LB_Plan, 1);
    Lbl_Summary = new QLabel(Text(plan.Counts()), this);
    Lbl_Summary->setObjectName("Lbl_Summary");
    Lbl_Summary->setWordWrap(true);
    layout->addWidget(Lbl_Summary);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    Buttons->setObjectName("Buttons");
    Buttons->button(QDialogButtonBox::Ok)->setText(Text("开始合并生成"));
    Buttons->button(QDialogButtonBox::Cancel)->setText(Text("取消"));
    layout->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    FitToScreen(*this, QSize(760, 480), false);
}
