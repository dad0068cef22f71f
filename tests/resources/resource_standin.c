/* A resource-only module: it carries the compiled resources so that their tests can run while the
 * module that ships them is not part of the build. It has no code of its own. */
typedef int vellum_resource_standin_has_no_code;
