// handles.h -- opaque handles of the window system objects that the shell keeps in its state
#pragma once

struct PlatformInstance;
struct PlatformWindow;
struct PlatformDevice;
struct PlatformContext;

typedef PlatformInstance* InstanceHandle;
typedef PlatformWindow* WindowHandle;
typedef PlatformDevice* DeviceContext;
typedef PlatformContext* RenderContext;
