#pragma once
#include <QFont>
#include <QStringList>

// The fonts of the interface. The graph names the faces of its drawing
// objects; a face that is not installed falls back, at the same pixel size, to
// an installed sans font that holds Japanese, so Japanese names and texts
// never show as empty boxes, on the screen or on paper.
class CInterfaceFont {
public:
    // The installed families that hold Japanese, proportional sans faces
    // first and serif (Mincho) faces left out; empty when none is installed.
    [[nodiscard]] static QStringList JapaneseFamilies();
    // `face` at `pixelHeight` pixels (at least 1) and `weight` (100 to 900),
    // then the Japanese families, then the system's sans serif.
    [[nodiscard]] static QFont Make(const QString& face, int pixelHeight, int weight);
    // The same font with the Japanese families behind its own family.
    [[nodiscard]] static QFont WithJapaneseFallback(const QFont& font);
};
