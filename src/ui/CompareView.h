// TCompareView: the comparison of the editor's image with another image (the unit, a file, a
// history entry), as marks on the servo table and a list, with "take the other value".
#pragma once

#include <QDockWidget>
#include <QMessageBox>
#include <QPointer>

#include <vector>

#include "CompareImages.h"
#include "CompareTexts.h"
#include "Jazyk2.h"
#include "ParameterImage.h"
#include "TransferSequencer.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFormHlav;

class TCompareView : public QDockWidget {
    Q_OBJECT
public:
    // The servo table's layer of the comparison's marks, and their colour.
    static constexpr int MarkLayer = 1;
    static const QColor MarkColour;

    // Docked at the window's right, hidden; adds Tools > Compare to the window's menu. The panel's
    // list and buttons are made at the first comparison (ShowComparison).
    explicit TCompareView(TFormHlav& window);

    // Compares the editor's image with other, named by label in the list and the tooltips.
    void ShowComparison(const dorv::ParameterImage& other, const QString& label);
    // Ends the comparison: the panel closes, the marks go.
    void CloseComparison();
    bool Comparing() const { return comparing_; }
    // Follows the editor: the differences again when its image changed since, the marks of the
    // servo its table shows. Run after every fill of the editors; cheap when nothing changed.
    void FollowEditor();
    void ApplyLanguage(dorv::Language language);

    // Tools > Compare > With the unit: the unit's image is read into a copy (the editor does
    // not change) and compared when it has come. Nothing while a pass runs or a log replays.
    void CompareWithUnit();
    // The link's events of a tick: the unit's copy to compare; a Read that replaced the editor's
    // image (compared whole again); a Verify (or a Program's verify) that failed because the
    // unit holds other parameters, offered to be compared.
    void HandleTransferEvents(const dorv::TransferEvents& events);
    // Tools > Compare > With a file: the file is read into a copy; a refused file is told as Open
    // tells it, and nothing changes.
    void CompareWithFile();
    // Takes the other side's values of the differences in the scope around the list's current
    // difference (All needs none): one undoable change of the editor.
    void Take(dorv::TakeScope scope);

    // What the list and the marks show now.
    const dorv::ImageComparison& Comparison() const { return comparison_; }
    const QString& OtherLabel() const { return label_; }
    // The open offer to compare with the unit after a failed Verify; none when none is open.
    QMessageBox* DifferencesOffer() const { return offer_; }
    // How much wider the window was made for the panel while it shows (none when it is closed).
    int RoomTaken() const { return comparing_ ? grownBy_ : 0; }
    // Makes the list's current item that of the difference at index of Comparison().
    void SetCurrentDifference(int index);

    QMenu* MenuCompare = nullptr;
    QAction* MenuCompareUnit = nullptr;
    QAction* MenuCompareFile = nullptr;
    QLabel* LabelComparedWith = nullptr;
    QLabel* LabelIdentity = nullptr;
    QTreeWidget* ListDifferences = nullptr;
    QPushButton* ButtonTakeOne = nullptr;
    QPushButton* ButtonTakeRow = nullptr;
    QPushButton* ButtonTakeTable = nullptr;
    QPushButton* ButtonTakeAll = nullptr;
    QPushButton* ButtonClose = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The list, its labels and buttons, made for the first comparison; then their texts.
    void MakePanel();
    void ApplyPanelLanguage();
    // The one way a taking reaches the editor: the window's commit path, one undo step.
    void CommitTaken(const dorv::ParameterImage& image);
    void Recompare();
    void FillList();
    void ShowMarks();
    void ShowTitles();
    void EnableTakeButtons();
    void GoToDifference(QTreeWidgetItem* item);
    void OfferDifferences();
    void OpenDifferencesOffer();
    const dorv::ImageDifference* CurrentDifference() const;
    // Room beside the pages for the panel, and the window's width back after.
    void MakeRoom();
    void GiveRoomBack();

    TFormHlav& window_;
    dorv::CompareTexts texts_;
    bool comparing_ = false;
    dorv::ParameterImage other_;
    QString label_;
    bool otherIsUnit_ = false;   // the label follows the language
    bool unitCopyAsked_ = false; // a unit copy read was started for a comparison
    QPointer<QMessageBox> offer_;
    bool offerPosted_ = false;
    // The editor's image when compared, after each taking and after each Read: a field still
    // holding one of their values is compared, one the user has edited since is not.
    std::vector<dorv::ParameterImage> given_;
    dorv::ParameterImage comparedEditor_; // the editor's image the list was made from
    dorv::ImageComparison comparison_;
    dorv::ServoIndex markedServo_ = dorv::NoServo;
    int grownBy_ = 0; // how much wider the window was made for the panel
};
