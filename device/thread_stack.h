#pragma once
// Gives the system back the pages of the calling thread's stack that lie well below the part in
// use. Under Wine every new thread starts with almost a megabyte of its stack zero-filled (and so
// resident) before its first instruction runs; a long-lived thread that never goes that deep
// keeps that memory for nothing. The pages stay part of the stack: the thread can still use them,
// they are simply handed back empty. Call it where the thread's stack is shallow (at the top of
// its loop); on Windows proper and on other systems it finds nothing to return. Portable.
namespace gm {

// Bytes kept resident below the caller's frame: the depth the thread's everyday calls reach.
inline constexpr unsigned kStackKeptBelowCaller = 64 * 1024;

void ReturnUnusedStackPages();

}  // namespace gm
