// TCompareView: the comparison of the editor's image with another image, as marks on the servo
// table and a list, with "take the other value".
#include "CompareView.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "Hlav.h"
#include "Jazyk1.h"
#include "MakeControls.h"
#include "MenuAction.h"
#include "ServoTable.h"

namespace {

constexpr int PanelWidth = 360;   // the panel's width where the screen has room
constexpr int PanelMinimum = 300; // on a narrow screen it gives way to the pages
constexpr int IndexRole = Qt::UserRole;
constexpr int NoDifference = -1;

} // namespace

const QColor TCompareView::MarkColour{230, 100, 0};

TCompareView::TCompareView(TFormHlav& window)
    : QDockWidget(&window), window_(window), texts_(dorv::CompareTextsFor(dorv::CurrentLanguage)) {
    setObjectName(QStringLiteral("DockComparison"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    MenuCompare = window_.Commands.MenuTools->addMenu(QString());
    MenuCompare->setObjectName(QStringLiteral("MenuCompare"));
    MenuCompareUnit = dorv::MakeAction(MenuCompare, "MenuCompareUnit", QString());
    MenuCompareFile = dorv::MakeAction(MenuCompare, "MenuCompareFile", QString());
    connect(MenuCompareUnit, &QAction::triggered, this, &TCompareView::CompareWithUnit);
    connect(MenuCompareFile, &QAction::triggered, this, &TCompareView::CompareWithFile);
    // A floating panel needs no room beside the pages; docked again, it does.
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (!comparing_)
            return;
        if (floating)
            GiveRoomBack();
        else
            MakeRoom();
    });

    window_.addDockWidget(Qt::RightDockWidgetArea, this);
    hide();
    ApplyLanguage(dorv::CurrentLanguage);
}

// The list and its buttons are made for the first comparison: most runs never compare, and the
// panel is hidden until then.
void TCompareView::MakePanel() {
    if (ListDifferences)
        return;
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("PanelComparison"));
    panel->setMinimumWidth(PanelMinimum);
    auto* layout = new QVBoxLayout(panel);
    LabelComparedWith = new QLabel(panel);
    LabelComparedWith->setObjectName(QStringLiteral("LabelComparedWith"));
    LabelComparedWith->setWordWrap(true);
    LabelIdentity = new QLabel(panel);
    LabelIdentity->setObjectName(QStringLiteral("LabelIdentity"));
    LabelIdentity->setWordWrap(true);
    LabelIdentity->hide();
    ListDifferences = new QTreeWidget(panel);
    ListDifferences->setObjectName(QStringLiteral("ListDifferences"));
    ListDifferences->setColumnCount(3);
    ListDifferences->setUniformRowHeights(true);
    ListDifferences->setIndentation(12);
    ListDifferences->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListDifferences->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    ListDifferences->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    ListDifferences->header()->setStretchLastSection(false);
    layout->addWidget(LabelComparedWith);
    layout->addWidget(LabelIdentity);
    layout->addWidget(ListDifferences, 1);

    ButtonTakeOne = dorv::MakeLayoutButton(panel, "ButtonTakeOne");
    ButtonTakeRow = dorv::MakeLayoutButton(panel, "ButtonTakeRow");
    ButtonTakeTable = dorv::MakeLayoutButton(panel, "ButtonTakeTable");
    ButtonTakeAll = dorv::MakeLayoutButton(panel, "ButtonTakeAll");
    ButtonClose = dorv::MakeLayoutButton(panel, "ButtonCloseComparison");
    auto* takeRow = new QHBoxLayout;
    takeRow->addWidget(ButtonTakeOne);
    takeRow->addWidget(ButtonTakeRow);
    auto* takeTable = new QHBoxLayout;
    takeTable->addWidget(ButtonTakeTable);
    takeTable->addWidget(ButtonTakeAll);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(ButtonClose);
    layout->addLayout(takeRow);
    layout->addLayout(takeTable);
    layout->addLayout(closeRow);
    setWidget(panel);

    connect(ButtonTakeOne, &QPushButton::clicked, this, [this] { Take(dorv::TakeScope::One); });
    connect(ButtonTakeRow, &QPushButton::clicked, this, [this] { Take(dorv::TakeScope::Row); });
    connect(ButtonTakeTable, &QPushButton::clicked, this, [this] { Take(dorv::TakeScope::Table); });
    connect(ButtonTakeAll, &QPushButton::clicked, this, [this] { Take(dorv::TakeScope::All); });
    connect(ButtonClose, &QPushButton::clicked, this, &TCompareView::CloseComparison);
    connect(ListDifferences, &QTreeWidget::currentItemChanged, this,
            &TCompareView::EnableTakeButtons);
    connect(ListDifferences, &QTreeWidget::itemActivated, this, &TCompareView::GoToDifference);
    ApplyPanelLanguage();
}

void TCompareView::ShowComparison(const dorv::ParameterImage& other, const QString& label) {
    MakePanel();
    other_ = other;
    label_ = label;
    otherIsUnit_ = false;
    given_.assign(1, window_.Image);
    comparing_ = true;
    Recompare();
    ShowTitles();
    SetCurrentDifference(0);
    if (isHidden()) {
        show();
        MakeRoom();
    }
    raise();
}

void TCompareView::CloseComparison() {
    if (!comparing_)
        return;
    comparing_ = false;
    comparison_ = {};
    given_.clear();
    markedServo_ = dorv::NoServo;
    window_.ServoTable->ClearCellMarks(MarkLayer);
    ListDifferences->clear();
    hide();
    GiveRoomBack();
}

void TCompareView::closeEvent(QCloseEvent* event) {
    CloseComparison();
    event->accept();
}

void TCompareView::FollowEditor() {
    if (!comparing_)
        return;
    if (window_.Image != comparedEditor_)
        Recompare();
    else if (markedServo_ != window_.ActiveServo())
        ShowMarks();
}

void TCompareView::Recompare() {
    comparison_ = dorv::CompareImages(window_.Image, other_);
    dorv::KeepGivenFields(comparison_, window_.Image, given_);
    comparedEditor_ = window_.Image;
    FillList();
    ShowMarks();
}

void TCompareView::ShowMarks() {
    TServoTable* table = window_.ServoTable;
    table->ClearCellMarks(MarkLayer);
    markedServo_ = window_.ActiveServo();
    const bool percent = window_.Image.servo(markedServo_).PercentMode() != 0;
    for (const dorv::ImageDifference& d : comparison_.Differences) {
        const std::optional<dorv::TableCell> cell = dorv::TableCellOf(d);
        if (d.Servo != markedServo_ || !cell)
            continue;
        table->SetCellMark(*cell, MarkColour,
                           label_ + QStringLiteral(": ") +
                               dorv::DifferenceValue(d, d.Other, percent, texts_),
                           MarkLayer);
    }
}

// The groups with their counts, each difference under its group; the current difference stays
// current by its place, so that taking one moves on to the next.
void TCompareView::FillList() {
    const QTreeWidgetItem* current = ListDifferences->currentItem();
    const int currentIndex = current ? current->data(0, IndexRole).toInt() : NoDifference;
    ListDifferences->clear();
    const QString groupTexts[] = {texts_.GroupGeneral, texts_.GroupRpmPoints, texts_.GroupCells};
    QTreeWidgetItem* groups[3] = {};
    for (int g = 0; g < 3; ++g) {
        const int count = comparison_.Counts[g];
        groups[g] = new QTreeWidgetItem(ListDifferences, {groupTexts[g].arg(count)});
        groups[g]->setData(0, IndexRole, NoDifference);
        groups[g]->setFirstColumnSpanned(true);
        groups[g]->setHidden(count == 0);
        groups[g]->setExpanded(true);
    }
    const auto& differences = comparison_.Differences;
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const dorv::ImageDifference& d = differences[i];
        const bool percent =
            d.Servo != dorv::NoServo && window_.Image.servo(d.Servo).PercentMode() != 0;
        auto* item = new QTreeWidgetItem(groups[static_cast<int>(dorv::GroupOf(d.Field))],
                                         {dorv::DifferenceName(d, texts_),
                                          dorv::DifferenceValue(d, d.Mine, percent, texts_),
                                          dorv::DifferenceValue(d, d.Other, percent, texts_)});
        item->setData(0, IndexRole, static_cast<int>(i));
        item->setForeground(2, MarkColour.darker(130));
    }
    if (differences.empty()) {
        auto* none = new QTreeWidgetItem(ListDifferences, {texts_.NoDifferences});
        none->setData(0, IndexRole, NoDifference);
        none->setFirstColumnSpanned(true);
    }
    if (currentIndex != NoDifference)
        SetCurrentDifference(std::min(currentIndex, static_cast<int>(differences.size()) - 1));
    LabelIdentity->setVisible(comparison_.IdentityDiffers);
    EnableTakeButtons();
}

void TCompareView::SetCurrentDifference(int index) {
    for (QTreeWidgetItemIterator it(ListDifferences); *it; ++it)
        if ((*it)->data(0, IndexRole).toInt() == index && index != NoDifference) {
            ListDifferences->setCurrentItem(*it);
            return;
        }
}

const dorv::ImageDifference* TCompareView::CurrentDifference() const {
    const QTreeWidgetItem* item = ListDifferences->currentItem();
    const int index = item ? item->data(0, IndexRole).toInt() : NoDifference;
    if (index < 0 || index >= static_cast<int>(comparison_.Differences.size()))
        return nullptr;
    return &comparison_.Differences[static_cast<std::size_t>(index)];
}

void TCompareView::EnableTakeButtons() {
    const bool chosen = CurrentDifference() != nullptr;
    for (QPushButton* button : {ButtonTakeOne, ButtonTakeRow, ButtonTakeTable})
        button->setEnabled(chosen);
    ButtonTakeAll->setEnabled(!comparison_.Same());
}

void TCompareView::Take(dorv::TakeScope scope) {
    if (!comparing_)
        return;
    std::vector<dorv::ImageDifference> chosen = comparison_.Differences;
    if (scope != dorv::TakeScope::All) {
        const dorv::ImageDifference* current = CurrentDifference();
        if (!current)
            return;
        chosen = dorv::DifferencesIn(comparison_.Differences, *current, scope);
    }
    dorv::ParameterImage taken = window_.Image;
    const int changed = dorv::TakeOtherValues(taken, other_, chosen);
    if (changed == 0)
        return;
    given_.push_back(taken);
    CommitTaken(taken);
    given_.back() = window_.Image; // as the commit normalised it
    FollowEditor();
    window_.ShowStatusNote(texts_.Taken.arg(changed).arg(label_));
}

void TCompareView::CommitTaken(const dorv::ParameterImage& image) {
    window_.Session.ReplaceImage(image);
}

// Activating a difference shows it: its page, and on a servo table its cell.
void TCompareView::GoToDifference(QTreeWidgetItem* item) {
    const int index = item ? item->data(0, IndexRole).toInt() : NoDifference;
    if (index < 0 || index >= static_cast<int>(comparison_.Differences.size()))
        return;
    const dorv::ImageDifference& d = comparison_.Differences[static_cast<std::size_t>(index)];
    window_.PageControl1->setCurrentIndex(d.Servo == dorv::NoServo ? 0 : d.Servo + 1);
    if (const std::optional<dorv::TableCell> cell = dorv::TableCellOf(d);
        cell && window_.ServoTable->IsCellShown(*cell))
        window_.ServoTable->SetCurrentCell(*cell);
}

void TCompareView::CompareWithUnit() {
    // One copy serves everyone who asks while it runs (the history asks for one after a failed
    // Verify too).
    unitCopyAsked_ = window_.RequestUnitCopy();
    if (unitCopyAsked_)
        window_.ShowStatusNote(texts_.ReadingUnit);
}

void TCompareView::HandleTransferEvents(const dorv::TransferEvents& events) {
    // A Read replaced the editor's image: its values are the editor's own, not edits.
    if (events.EditorBeforeRead && comparing_) {
        given_.push_back(window_.Image);
        Recompare();
    }
    if (events.UnitCopy && unitCopyAsked_) {
        window_.ShowStatusNote({});
        ShowComparison(*events.UnitCopy, texts_.Unit);
        otherIsUnit_ = true;
    }
    if (!events.Outcome)
        return;
    const dorv::PassOutcome& outcome = *events.Outcome;
    if (outcome.Pass == dorv::PassKind::UnitCopy) {
        if (!outcome.Ok && unitCopyAsked_)
            window_.ShowStatusNote({}); // the read's failure shows on the transfer line
        unitCopyAsked_ = false;
    } else if ((outcome.Pass == dorv::PassKind::Verify ||
                outcome.Pass == dorv::PassKind::Program) &&
               !outcome.Ok && outcome.UnitDiffered) {
        OfferDifferences();
    }
}

// Posted, so that it opens from the event loop and not inside the tick that found the failure;
// it does not wait for the answer either.
void TCompareView::OfferDifferences() {
    if (offerPosted_ || offer_)
        return;
    offerPosted_ = true;
    QTimer::singleShot(0, this, &TCompareView::OpenDifferencesOffer);
}

void TCompareView::OpenDifferencesOffer() {
    offerPosted_ = false;
    offer_ =
        new QMessageBox(QMessageBox::Warning, window_.windowTitle(),
                        window_.Messages.MsgVerifyError + QLatin1Char('\n') + texts_.UnitDiffers,
                        QMessageBox::Yes | QMessageBox::No, &window_);
    offer_->setObjectName(QStringLiteral("BoxDifferencesOffer"));
    offer_->setInformativeText(texts_.ShowDifferences);
    offer_->setDefaultButton(QMessageBox::Yes);
    offer_->setAttribute(Qt::WA_DeleteOnClose);
    connect(offer_, &QMessageBox::finished, this, [this](int answer) {
        if (answer == QMessageBox::Yes)
            CompareWithUnit();
    });
    offer_->open();
}

void TCompareView::CompareWithFile() {
    const QString path = window_.ChooseFile(window_.OpenDialog1);
    if (path.isEmpty())
        return;
    if (const std::optional<dorv::ParameterImage> file = window_.ReadParameterFileTold(path))
        ShowComparison(*file, QFileInfo(path).fileName());
}

void TCompareView::ApplyLanguage(dorv::Language language) {
    texts_ = dorv::CompareTextsFor(language);
    if (otherIsUnit_)
        label_ = texts_.Unit;
    MenuCompare->setTitle(texts_.MenuCompare);
    MenuCompareUnit->setText(texts_.MenuWithUnit);
    MenuCompareFile->setText(texts_.MenuWithFile);
    setWindowTitle(texts_.Title);
    ApplyPanelLanguage();
}

void TCompareView::ApplyPanelLanguage() {
    if (!ListDifferences)
        return;
    ButtonTakeOne->setText(texts_.TakeOne);
    ButtonTakeRow->setText(texts_.TakeRow);
    ButtonTakeTable->setText(texts_.TakeTable);
    ButtonTakeAll->setText(texts_.TakeAll);
    ButtonClose->setText(texts_.Close);
    LabelIdentity->setText(texts_.IdentityDiffers);
    ShowTitles();
    if (comparing_) {
        FillList();
        ShowMarks();
    }
}

void TCompareView::ShowTitles() {
    LabelComparedWith->setText(texts_.ComparedWith.arg(label_));
    ListDifferences->setHeaderLabels({texts_.ColumnName, texts_.ColumnEditor, label_});
}

void TCompareView::MakeRoom() {
    if (isFloating() || window_.isMaximized() || window_.isFullScreen()) {
        grownBy_ = 0;
        return;
    }
    const int before = window_.width();
    const int separator = window_.style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
    window_.resize(before + PanelWidth + separator, window_.height());
    window_.KeepOnScreen();
    grownBy_ = std::max(0, window_.width() - before);
    // The pages keep their whole width (no horizontal scroll bar); the panel takes the rest.
    const QScrollArea* pages = window_.ScrollBoxClient;
    const QScrollBar* bar = pages->verticalScrollBar();
    const int pagesWidth =
        pages->widget()->minimumWidth() + (bar->isVisible() ? bar->sizeHint().width() : 0);
    const int panel =
        std::clamp(window_.width() - pagesWidth - separator, minimumWidth(), PanelWidth);
    window_.resizeDocks({this}, {panel}, Qt::Horizontal);
}

void TCompareView::GiveRoomBack() {
    if (grownBy_ > 0 && !window_.isMaximized() && !window_.isFullScreen())
        window_.resize(window_.width() - grownBy_, window_.height());
    grownBy_ = 0;
}

void TFormHlav::ShowComparison(const dorv::ParameterImage& other, const QString& label) {
    Comparison->ShowComparison(other, label);
}
