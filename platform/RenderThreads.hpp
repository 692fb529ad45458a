#pragma once

/// Asks a software OpenGL renderer to draw on the thread that calls it rather than on threads
/// of its own: a frame of the sandbox fills so few pixels that handing them over costs more
/// than drawing them. Call before the first window opens; a choice made in the environment
/// stands. Graphics hardware is not affected.
void renderOnCallingThread();
