// Replaced by the registry and profile layer.
