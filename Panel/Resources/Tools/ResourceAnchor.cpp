// The resource library's own object: its content is the Qt resources that
// qt_add_resources compiles in beside it (Panel/Resources/CMakeLists.txt).
namespace SV::EditorResources {
int ResourceLibraryAnchor() { return 0; }
}  // namespace SV::EditorResources
