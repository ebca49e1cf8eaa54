// The pump's side of the windows: which windows are open, and the
// translation of SDL's events into queued messages.
#pragma once

#include <SDL.h>

class C_Window;

// Created windows receive timer ticks and are closed at exit.
void Pump_RegisterWindow(C_Window* window);
void Pump_UnregisterWindow(C_Window* window);
// Destroys every window still open (at exit, before SDL goes).
void Pump_DestroyWindows();
// Queues the messages that one SDL event stands for (possibly none).
void Pump_Translate(const SDL_Event& event);
// Button bits held according to the events translated so far.
uint32_t Pump_HeldButtons();
