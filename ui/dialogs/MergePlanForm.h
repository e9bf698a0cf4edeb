#pragma once
#include "codegen/core/MergeSummary.h"

#include <QDialog>

#include <vector>

class QDialogButtonBox;
class QLabel;
class QTreeWidget;

// "合并生成预览": what a merging generation would do to each file, before
// anything is written; OK starts it, Cancel leaves everything as it is.
class TMergePlanForm : public QDialog {
    Q_OBJECT

public:
    // heading: a line above the list when the plan needs one (a changed
    // package).
    TMergePlanForm(QWidget* owner, const TMergeSummary& plan, const std::string& heading = "");

    QLabel* Lbl_Heading = nullptr;
    QLabel* Lbl_Summary = nullptr;
    // Columns 处理, 文件, 说明; the unchanged files under one row, listed
    // when it is opened (a big model has thousands).
    QTreeWidget* LB_Plan = nullptr;
    QDialogButtonBox* Buttons = nullptr;

private:
    std::vector<TMergeEntry> unchanged_;
};

// The Chinese name of what a merging generation does to a file.
QString MergeActionText(TMergeAction action);
