// The source of the targets that only hold a precompiled header: nothing of its own.
