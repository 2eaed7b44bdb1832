// The scene lights and the model-view reset shared by the screens.
#pragma once

// The lighting model and lights 0 and 1, after the window opens.
void SetUpLights();
// Model-view matrix to identity and the lights put back.
void ResetModelViewAndLights();
