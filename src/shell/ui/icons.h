#pragma once
// The small pictures of the toolbar and of the tree, drawn at run time so the program
// carries no image files.
#include <QIcon>
#include <QPixmap>

namespace carvela {

// A toolbar picture by button key ("icoOpen", ...) or a tree picture by its name
// ("IcoPrj", "IcoTable", ...); an unknown name gives an empty icon.
QIcon iconaProgramma(const QString& nome);

// The picture of the splash and information windows.
QPixmap immagineMarchio(int larghezza, int altezza);

}  // namespace carvela
