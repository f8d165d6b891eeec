// Replaced by the image builder.
