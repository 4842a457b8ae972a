// Placeholder translation unit for a layer whose folder has no sources yet.
namespace zel::internal { void EmptyLayerAnchor() {} }
