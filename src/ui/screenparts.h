#pragma once

class QWidget;

// Back to the main menu: shows it and unloads the screen `widget` is on.
void ReturnToMenu(QWidget* widget);
