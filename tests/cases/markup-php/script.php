<?php // line comment
/* block
comment */ echo "printed words";
?>
<p>page &eacute;t&eacute; <i>markup</i></p>
