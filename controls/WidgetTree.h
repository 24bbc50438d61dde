#pragma once

class QWidget;

// Blocks (enabled false) or releases mouse input to a widget tree. While
// blocking, HUD prompts ("orbHudView") and their children stay clickable.
void setWidgetTreeMouseEnabled(QWidget *widget, bool enabled);
