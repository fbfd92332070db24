// Viewport and 60-degree perspective for the given client size (either shell calls it on resize).
#pragma once

void ResizeGLScene(int width, int height);

// The same projection for one part of the window (x, y from its bottom-left corner): the viewport,
// and a scissor so that the scene's clear stays inside it.
void ViewGLScene(int x, int y, int width, int height);
