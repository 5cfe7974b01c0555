#pragma once

// What the button shows: at rest, under the pointer, or held down.
enum class VisualState
{
    StateNormal = 0,
    StateHover = 1,
    StatePressed = 2,
};
