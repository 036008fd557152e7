#include "host/AEffEditor.h"

bool AEffEditor::getRect(ERect** rect) {
    if (rect) *rect = nullptr;
    return false;
}

bool AEffEditor::onKeyDown(VstKeyCode&) { return false; }
bool AEffEditor::onKeyUp(VstKeyCode&) { return false; }
bool AEffEditor::onWheel(float) { return false; }
bool AEffEditor::setKnobMode(int32) { return false; }
