// The cover grid: the browse list as covers in rows, each with its title beneath; a title without
// a cover is a tile of its medium's colour with its title on it. Ctrl + wheel and Ctrl +/- ask
// for larger or smaller covers.
#pragma once

#include <QListView>

namespace tavrin {

class CoverGridWidget : public QListView {
    Q_OBJECT

  public:
    explicit CoverGridWidget(QWidget* parent = nullptr);

    // The covers' side in pixels; the cells follow.
    void SetCoverSide(int side);
    int CoverSide() const { return side_; }

  signals:
    // Larger covers (positive) or smaller (negative), by that many steps.
    void CoverSideStep(int steps);

  protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int side_ = 0;
    int wheelTurn_ = 0; // eighths of a degree not yet a whole step (fine-grained wheels)
};

} // namespace tavrin
