// The window (or full screen) with its OpenGL context.
//
// OpenDisplay once at start-up (then the caller sets up the lights), any
// number of frames ended by PresentFrame, CloseDisplay at the end. A change of
// resolution is CloseDisplay followed by OpenDisplay; every GL object belongs
// to one opening.
#pragma once

struct SDL_Surface;

extern const char* const kProductTitle;  // "Glyphox Deluxe"

// Opens the display at width x height, in a window or full screen. Returns 1,
// or 0 when the size is zero, the mode cannot be set or the driver left a GL
// error.
int OpenDisplay(int width, int height, bool fullScreen = false);
void CloseDisplay();
void SetWindowCaption();
// Keyboard input the game wants: the key repeat and the character of each
// key press (name and code entry need it). SDL resets both when the video
// restarts, so OpenDisplay applies them again after a change of resolution.
void SetKeyboardInput(int repeatDelay, int repeatInterval, bool unicode);
// Shows the frame drawn. With a cap set, waits so that frames come at most
// that many times a second unless the driver waits for the screen: an
// uncapped menu would take a whole processor core for nothing. A rate below
// the cap (a still screen's) is kept by waiting even then; 0 means the cap.
void PresentFrame(int framesPerSecond = 0);
// Before OpenDisplay: a cap also asks the driver for vertical sync (SDL
// applies that only when the video mode is set). 0: no cap, no sync.
void SetFrameRateCap(int framesPerSecond);

// Returns 1 when OpenGL reports no error; otherwise prints the error's
// message and returns 0.
int CheckGLErrors();

// The tools' "--size WxH": true and the size when text is two numbers from
// 16 to 8192 joined by an 'x' and nothing else.
bool ParseWindowSize(const char* text, int& width, int& height);

// For the command-line tools: starts SDL's video (X11 unless the caller chose
// another driver) and opens a width x height window. Returns 1, or 0 after
// printing "<tool>: cannot open a WxH OpenGL window (...)".
int OpenToolWindow(const char* tool, int width, int height);
// Closes the window and SDL again.
void CloseToolWindow();

// Writes the frame buffer as a BMP file. Returns 0 when it cannot, with the
// errno in *error.
int SaveScreenshot(const char* path, int* error = nullptr);
// Writes a surface as a BMP file through the safe writer (no file is left
// half-written). Returns 1, or 0 when it cannot, with the errno in *error.
int WriteSurfaceBmp(SDL_Surface* image, const char* path, int* error = nullptr);
