// The cover grid, the third view of the browse list beside the title list and the title table:
// its covers and their size, and the one current title it shares with the other two views.
#include "app/browse/cover_grid_model.h"
#include "app/browse/cover_grid_widget.h"
#include "app/browse/covers.h"
#include "app/browse/title_table_model.h"
#include "app/main_window.h"
#include "platform/thumbnail_cache.h"

#include <QItemSelectionModel>
#include <QListView>
#include <QStackedWidget>

#include <string>

namespace tavrin {
namespace {

// The decoded covers kept in memory: several screens of the largest covers.
constexpr qsizetype CoverMemory = qsizetype{48} * 1024 * 1024;

} // namespace

void TLDF1::BuildCoverGrid() {
    thumbnails_ = new ThumbnailCache(ThumbnailRoot(), CoverMemory, this);
    thumbnails_->setObjectName(QStringLiteral("Thumbnails"));
    covers_ = new CoverGridModel(collection_, listeIndexTri_, folders_.medias, *thumbnails_, this);
    CoverGrid = new CoverGridWidget(titleViews_);
    CoverGrid->setObjectName(QStringLiteral("CoverGrid"));
    const int side = CoverSideFromText(settings_.CoverSize);
    CoverGrid->SetCoverSide(side);
    covers_->SetCoverSide(side);
    titleViews_->addWidget(CoverGrid);

    connect(CoverGrid, &CoverGridWidget::CoverSideStep, this, &TLDF1::StepCovers);
    connect(CoverGrid, &QListView::clicked, this, &TLDF1::ListDiscClick);
    connect(CoverGrid, &QListView::doubleClicked, this, &TLDF1::SpeedButton1Click);
    connect(ListDisc->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TLDF1::FollowListSelection);
}

void TLDF1::AttachCoverGrid() {
    if (CoverGrid->model()) return;
    CoverGrid->setModel(covers_);
    connect(CoverGrid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TLDF1::FollowGridSelection);
    FollowListSelection();
}

void TLDF1::FollowListSelection() {
    if (syncingSelection_ || !CoverGrid->model()) return;
    const QModelIndexList rows = ListDisc->selectionModel()->selectedIndexes();
    syncingSelection_ = true;
    if (rows.isEmpty())
        CoverGrid->selectionModel()->clear();
    else
        CoverGrid->selectionModel()->setCurrentIndex(covers_->index(rows.front().row()),
                                                     QItemSelectionModel::ClearAndSelect);
    syncingSelection_ = false;
}

void TLDF1::FollowGridSelection() {
    if (syncingSelection_) return;
    const QModelIndexList rows = CoverGrid->selectionModel()->selectedIndexes();
    syncingSelection_ = true;
    // The list's selection is the current title: selecting there shows it.
    if (rows.isEmpty())
        ListDisc->selectionModel()->clear();
    else
        ListDisc->selectionModel()->setCurrentIndex(model_->index(rows.front().row()),
                                                    QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    syncingSelection_ = false;
}

void TLDF1::StepCovers(int steps) {
    const int side = StepCoverSide(CoverGrid->CoverSide(), steps);
    if (side == CoverGrid->CoverSide()) return;
    settings_.CoverSize = std::to_string(side);
    covers_->SetCoverSide(side);
    CoverGrid->SetCoverSide(side);
    if (CoverGrid->currentIndex().isValid()) CoverGrid->scrollTo(CoverGrid->currentIndex());
}

} // namespace tavrin
