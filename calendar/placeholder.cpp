int KvlPlaceholder() { return 0; }
