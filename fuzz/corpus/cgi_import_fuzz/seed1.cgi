Kestrelnest data format Rev03
Links	2	988642800	comment	
<!-- category data -->
category5.cgi
<!-- Link data -->
41	First	http://one.example/	&lt;b&gt;	<IMG>	hot!	988642800	adm	mail
42	Second	http://two.example/			2	0

43	Never	read
