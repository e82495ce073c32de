#pragma once

class QWidget;

// Centra_Finestra over another window, on that window's screen (or at the
// primary screen's origin when there is none). A window not shown yet has no
// frame: it is reckoned as the other window's, or its first opening would sit
// off centre by half of it.
void placeOver(QWidget& window, const QWidget* over);
