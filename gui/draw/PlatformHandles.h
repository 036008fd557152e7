// The platform's handle types, declared the way the platform headers declare them, so that code
// which only passes handles along does not have to include those headers.
#pragma once

struct HDC__;
struct HWND__;
struct HBITMAP__;
struct HPEN__;
struct HBRUSH__;
struct HFONT__;
struct HINSTANCE__;
typedef HDC__* HDC;
typedef HWND__* HWND;
typedef HBITMAP__* HBITMAP;
typedef HPEN__* HPEN;
typedef HBRUSH__* HBRUSH;
typedef HFONT__* HFONT;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef void* HGDIOBJ;
struct HICON__;
typedef HICON__* HICON;
typedef HICON HCURSOR;
