#pragma once
#include "model/import/DbSchema.h"
#include "ui/dialogs/Dialogs.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLineEdit;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;

// "从数据库导入": the connection to a MariaDB/MySQL server, the tables to
// import (fetched when the user connects) and the new project's name.
class TImportDbForm : public QDialog {
    Q_OBJECT

public:
    TImportDbForm(QWidget* owner, IDialogs& dialogs);
    ~TImportDbForm() override;

    // While connecting, stops the attempt instead of closing.
    void reject() override;
    bool Connecting() const { return connecting_; }

    // What the user chose, once connected: the schema read and the checked tables.
    const std::optional<TDbSchema>& Schema() const { return schema_; }
    std::vector<std::string> CheckedTables() const;
    TDbConnection Connection() const;
    // The fields of an earlier import (never its password).
    void Fill(const TDbConnection& connection);

    QLineEdit* Edt_Host = nullptr;
    QSpinBox* Edt_Port = nullptr;
    QLineEdit* Edt_User = nullptr;
    QLineEdit* Edt_Password = nullptr;
    QLineEdit* Edt_Database = nullptr;
    QPushButton* Btn_Connect = nullptr;
    QLabel* Lbl_Busy = nullptr; // what is being waited for, or that it was cancelled
    QProgressBar* PB_Busy = nullptr; // moves while connecting
    QListWidget* LB_Tables = nullptr;
    QCheckBox* CB_TextQuery = nullptr;
    QCheckBox* CB_TargetCurrent = nullptr;
    QLineEdit* Edt_ProjectName = nullptr;
    QPushButton* Btn_Import = nullptr;
    QPushButton* Btn_Cancel = nullptr;

private:
    // What the worker thread brings back: the schema, or why there is none.
    struct TAnswer {
        std::optional<TDbSchema> schema;
        std::string error;
    };

    void Connect();
    void CancelConnect();
    void SetConnecting(bool on);
    void Answered(unsigned attempt, TAnswer answer);
    void Import();

    IDialogs& dialogs_;
    std::optional<TDbSchema> schema_;
    bool connecting_ = false;
    unsigned attempt_ = 0; // answers of earlier (cancelled) attempts are dropped
};
