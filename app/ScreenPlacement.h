#pragma once
// Places a top-level window in the middle of its screen's available area
// (the screen without panels and docks). A resizable window larger than that
// area is first shrunk to it, so that its title bar and edges stay reachable.

class QWidget;

void CentreOnScreen(QWidget& window);
