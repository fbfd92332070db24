// Viewport and 60-degree perspective for the given client size (either shell calls it on resize).
#pragma once

void ResizeGLScene(int width, int height);
